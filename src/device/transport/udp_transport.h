#pragma once

#include "device/transport/transport.h"
#include "device/transport/udp_socket.h"

#include <QLockFile>

#include <memory>

namespace merovan {

// The register on the local network: UDP over IPv4, one command per
// datagram, one datagram per read. The connection text is the register's
// dotted IPv4 address and its UDP port ("192.168.1.20:5012"); the same port
// is bound on every local address and the socket is connected to the
// register, which fixes both where datagrams go and whom they are taken from.
//
// The socket shares its address (a simulator on 127.0.0.2 may hold the same
// port), so the port alone cannot keep a second bridge out. Each bridge
// therefore holds an exclusive lock per port while its socket is open
// (merovan-udp-PORT.lock in the temporary folder; a crashed holder's lock
// is taken over): a second bridge on the same port fails with kBindFailed,
// as a taken port does, instead of stealing the first one's replies.
class UdpTransport final : public Transport {
public:
    // open's codes. It records no failure of its own; a failed
    // open leaves no socket behind.
    static constexpr qint16 kOpened = 0;
    static constexpr qint16 kSocketFailed = -2;
    static constexpr qint16 kBindFailed = -4;      // port in use by a program that does not share it
    static constexpr qint16 kBadAddress = -5;      // not a dotted IPv4 address
    static constexpr qint16 kConnectFailed = -6;
    static constexpr qint16 kBadPort = -7;         // port not a number from 1 to 65535

    UdpTransport() = default;
    UdpTransport(const UdpTransport &) = delete;
    UdpTransport &operator=(const UdpTransport &) = delete;
    ~UdpTransport() override;

    // Already open: returns kOpened and changes nothing.
    qint16 open(const QString &connectionText) override;

    // Failure: -1, "Λάθος κατά την αποστολή δεδομένων στην θύρα (Ethernet)".
    bool send(const QString &text) override;

    // One datagram, or empty text when none arrives within waitMs. A datagram
    // longer than 10000 bytes comes back cut to its first 10000; the rest is
    // lost. Failure (also a port-unreachable answer from the register's
    // address): -2, "Λάθος κατά την ανάγνωση στοιχείων απο την θύρα
    // (Ethernet)", empty text; the next read works again.
    QString receive(int waitMs) override;

    // Failure, or no socket (which still takes the wait, so that a caller's
    // read loop never spins): -3, "Λάθος κατά την προσπέλαση της θύρας
    // (Ethernet)", false.
    bool waitForData(int waitMs) override;

    void close() override;
    bool isOpen() const override;

    // The socket; 0 when none is open.
    udp::Handle socketHandle() const;
    // What the last open that did not find the socket open was
    // given: the register's address and port (0 when not a number), and the
    // local address that findLocalAddress found then.
    QString remoteAddress() const;
    int remotePort() const;
    QString localAddress() const;

private:
    qint16 bindAndConnect();

    udp::Handle socket_ = udp::kInvalid;
    std::unique_ptr<QLockFile> portLock_;
    QString remoteHostIP_;
    int remotePort_ = 0;
    QString localHostIP_;
};

} // namespace merovan
