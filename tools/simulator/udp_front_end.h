#pragma once

#include "session.h"
#include "stop_signals.h"
#include "unique_fd.h"

#include <QString>
#include <QtGlobal>

namespace merovan::sim {

// The register on UDP: each datagram is one command, and its reply goes back
// to the datagram's sender. The socket shares its address (SO_REUSEADDR), so
// the simulator can listen on 127.0.0.2 while the bridge binds 0.0.0.0 on the
// same port.
class UdpFrontEnd {
public:
    // False, with a reason, when the socket cannot be bound.
    bool open(const QString &address, quint16 port, QString &error);

    // Answers datagrams until a stop signal; the process exit code.
    int run(Session &session, const StopSignals &stop);

private:
    UniqueFd socket_;
};

} // namespace merovan::sim
