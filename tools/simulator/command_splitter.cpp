#include "command_splitter.h"

namespace merovan::sim {

namespace {
const QByteArray kTerminator("\r\n");
}

QList<QByteArray> CommandSplitter::feed(const QByteArray &bytes)
{
    pending_ += bytes;
    QList<QByteArray> commands;
    qsizetype start = 0;
    for (qsizetype end; (end = pending_.indexOf(kTerminator, start)) >= 0; start = end + kTerminator.size())
        commands << pending_.mid(start, end - start);
    pending_.remove(0, start);
    return commands;
}

QByteArray datagramCommand(const QByteArray &datagram)
{
    return datagram.endsWith(kTerminator) ? datagram.chopped(kTerminator.size()) : datagram;
}

} // namespace merovan::sim
