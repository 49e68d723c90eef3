#pragma once

#include <QByteArray>
#include <QList>

namespace merovan::sim {

// Cuts a serial byte stream into commands at CR LF. The bytes of a command,
// and the CR LF itself, may arrive split over any number of reads; a CR or a
// LF on its own stays part of the command. Bytes after the last CR LF wait
// for the next read.
class CommandSplitter {
public:
    // The commands completed by these bytes, without their CR LF.
    QList<QByteArray> feed(const QByteArray &bytes);

private:
    QByteArray pending_;
};

// A datagram is one command: the bytes without a final CR LF.
QByteArray datagramCommand(const QByteArray &datagram);

} // namespace merovan::sim
