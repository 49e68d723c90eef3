#include "serial_front_end.h"

#include "command_splitter.h"
#include "posix_error.h"

#include <unistd.h>

#include <cerrno>

namespace merovan::sim {

namespace {

void writeReply(int fd, const QByteArray &bytes)
{
    // Non-blocking: when nobody drains the line the reply is lost, as it
    // would be on a real one, instead of stalling the simulator.
    const ssize_t written = ::write(fd, bytes.constData(), bytes.size());
    if (written < 0)
        warn(posixError("write"));
    else if (written < bytes.size())
        warn(QStringLiteral("line full, %1 reply bytes lost").arg(bytes.size() - written));
}

} // namespace

int runSerial(int fd, Session &session, const StopSignals &stop)
{
    CommandSplitter splitter;
    QByteArray buffer(4096, Qt::Uninitialized);
    while (session.waitReadable(fd, stop)) {
        const ssize_t size = ::read(fd, buffer.data(), buffer.size());
        if (size < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (size <= 0) {
            warn(size < 0 ? posixError("read") : QStringLiteral("the line was closed"));
            return 1;
        }
        for (const QByteArray &command : splitter.feed(buffer.left(size)))
            session.handle(command, [fd](const QByteArray &bytes) { writeReply(fd, bytes); });
    }
    return stop.requested() ? 0 : 1;
}

} // namespace merovan::sim
