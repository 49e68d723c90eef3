#pragma once

#include "device/transport/serial_transport.h"
#include "device/transport/udp_transport.h"
#include "pseudo_terminal.h"

#include <QByteArrayList>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <memory>

namespace merovan {

// The register's end of a UDP link on this machine: a socket on 127.0.0.2
// that shares its port, as the simulator beside the bridge does. Port 0
// picks a free one.
class UdpPeer {
public:
    explicit UdpPeer(quint16 port = 0);
    quint16 port() const { return socket_.localPort(); }
    QString connectionText() const;
    // The datagrams that arrive until quietMs pass without one.
    QList<QNetworkDatagram> receive(int quietMs = 100);
    // To the bridge, which binds the same port on every local address.
    void send(const QByteArray &bytes);

private:
    QUdpSocket socket_;
};

// An open transport and the far end it talks to.
class Wire {
public:
    virtual ~Wire() = default;
    virtual Transport &transport() = 0;
    // What the far end got, one entry per datagram; a serial line has no
    // datagrams, so there everything is one entry.
    virtual QByteArrayList received() = 0;
    virtual void reply(const QByteArray &bytes) = 0;
};

class SerialWire final : public Wire {
public:
    SerialWire();
    Transport &transport() override { return com; }
    QByteArrayList received() override;
    void reply(const QByteArray &bytes) override { pty.write(bytes); }

    PseudoTerminal pty;
    cCom com;
};

class UdpWire final : public Wire {
public:
    UdpWire();
    Transport &transport() override { return udp; }
    QByteArrayList received() override;
    void reply(const QByteArray &bytes) override { peer.send(bytes); }

    UdpPeer peer;
    cTCPIP udp;
};

// Opens "com1" on the pseudo-terminal (through MEROVAN_COM1) with this text.
qint16 openOn(cCom &com, const PseudoTerminal &pty, const QString &connectionText = QStringLiteral("com1:9600"));

} // namespace merovan
