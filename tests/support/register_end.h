#pragma once

#include <QByteArrayList>
#include <QString>

namespace merovan::test {

// The register's end of a real link: the master of a pseudo-terminal whose
// slave MEROVAN_COM1 names, or a UDP socket on 127.0.0.2 that shares its port
// with the bridge, as the simulator beside it does (port 0 picks a free one).
// Plain descriptors, so a script may play it from its own thread.
class RegisterEnd {
public:
    enum Kind { Pty, Udp };
    explicit RegisterEnd(Kind kind, quint16 port = 0);
    ~RegisterEnd() { hangUp(); }
    RegisterEnd(const RegisterEnd &) = delete;
    RegisterEnd &operator=(const RegisterEnd &) = delete;

    quint16 port() const { return port_; }
    // What the bridge's settings say to reach this end.
    QString connectionText() const;

    void send(const QByteArray &bytes);
    // What arrives within waitMs and after it until 100 ms pass without
    // anything: one entry per datagram, which must come from the shared port
    // (the register answers where a datagram came from); the serial bytes as
    // one entry.
    QByteArrayList receive(int waitMs = 100);
    // The device vanishes, as when a USB adapter is pulled.
    void hangUp();

private:
    Kind kind_;
    int fd_ = -1;
    quint16 port_ = 0;
};

} // namespace merovan::test
