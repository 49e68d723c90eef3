#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <thread>

namespace merovan::test {

// The register's end of a real link, played by a script on its own thread:
// a UDP socket on 127.0.0.2 sharing the bridge's port, or the master side
// of a pseudo-terminal whose slave the bridge opens as its serial port.
class RegisterPeer {
public:
    enum class Kind { Udp, Pty };
    explicit RegisterPeer(Kind kind);
    ~RegisterPeer();

    // What the bridge's settings say to reach this peer; for the pty the
    // slave's path goes into MEROVAN_COM1.
    QString connectionText() const;

    // Runs the script until it returns; join() waits for it.
    void run(std::function<void(RegisterPeer &)> script);
    void join();

    // One command as received (a datagram, or serial bytes up to CR LF);
    // empty when nothing comes within timeoutMs.
    QByteArray receive(int timeoutMs = 10000);
    void send(const QByteArray &bytes);

private:
    Kind kind_;
    int fd_ = -1;
    quint16 port_ = 0;
    QString slave_;
    QByteArray pending_;
    // The bridge's address as the last datagram gave it.
    alignas(8) unsigned char peer_[128] = {};
    std::thread thread_;
};

} // namespace merovan::test
