#pragma once

#include "device/transport/serial_transport.h"
#include "device/transport/udp_transport.h"

#include <QByteArrayList>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace merovan {

// A pseudo-terminal standing in for the register's serial port: the test
// holds the master end, the transport opens the slave by its path.
struct PseudoTerminal {
    PseudoTerminal()
    {
        termios raw{};
        const bool ready = master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0 && tcgetattr(master, &raw) == 0;
        EXPECT_TRUE(ready) << "no pseudo-terminal";
        if (ready) {
            cfmakeraw(&raw);
            tcsetattr(master, TCSANOW, &raw);
            slavePath = QString::fromLocal8Bit(ptsname(master));
        }
    }
    ~PseudoTerminal() { closeMaster(); }

    void write(const QByteArray &bytes)
    {
        EXPECT_EQ(::write(master, bytes.data(), size_t(bytes.size())), bytes.size());
    }

    // The device vanishes, as when a USB adapter is pulled.
    void closeMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    int master = posix_openpt(O_RDWR | O_NOCTTY);
    QString slavePath;
};

// Opens "com1" on the pseudo-terminal (through MEROVAN_COM1) with this text.
inline qint16 openOn(cCom &com, const PseudoTerminal &pty, const QString &connectionText = QStringLiteral("com1:9600"))
{
    qputenv("MEROVAN_COM1", pty.slavePath.toLocal8Bit());
    return com.OpenConnection(connectionText);
}

// The register's end of a UDP link: a socket on 127.0.0.2 that shares its
// port with the bridge, as the simulator beside it does, so that every UDP
// wire proves the bridge binds beside a simulator. Port 0 picks a free one.
struct UdpPeer {
    explicit UdpPeer(quint16 port = 0)
    {
        EXPECT_TRUE(socket.bind(QHostAddress(QStringLiteral("127.0.0.2")), port, QAbstractSocket::ShareAddress));
    }
    quint16 port() const { return socket.localPort(); }
    QString connectionText() const { return QStringLiteral("127.0.0.2:%1").arg(port()); }
    void send(const QByteArray &bytes)
    {
        EXPECT_EQ(socket.writeDatagram(bytes, QHostAddress::LocalHost, port()), bytes.size());
    }

    // The datagrams that arrive until 100 ms pass without one. They must come
    // from the shared port too: the register answers where a datagram came from.
    QByteArrayList receive()
    {
        QByteArrayList datagrams;
        while (socket.hasPendingDatagrams() || socket.waitForReadyRead(100)) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            EXPECT_EQ(datagram.senderPort(), port());
            datagrams << datagram.data();
        }
        return datagrams;
    }

    QUdpSocket socket;
};

// An open transport, serial or UDP, and the register's end of it.
struct Wire {
    explicit Wire(bool serial) : serial(serial)
    {
        EXPECT_EQ(serial ? openOn(com, pty) : udp.OpenConnection(peer.connectionText()), 0);
    }
    Transport &transport() { return serial ? static_cast<Transport &>(com) : udp; }
    void reply(const QByteArray &bytes) { serial ? pty.write(bytes) : peer.send(bytes); }

    // What the far end got until 100 ms passed without anything, one entry
    // per datagram; a serial line has no datagrams, so there it is one entry.
    QByteArrayList received()
    {
        if (!serial)
            return peer.receive();
        QByteArray bytes;
        pollfd entry{pty.master, POLLIN, 0};
        char chunk[512];
        for (ssize_t got = 0; ::poll(&entry, 1, 100) > 0 && (got = ::read(pty.master, chunk, sizeof chunk)) > 0;)
            bytes.append(chunk, got);
        return bytes.isEmpty() ? QByteArrayList() : QByteArrayList{bytes};
    }

    bool serial;
    PseudoTerminal pty;
    UdpPeer peer;
    cCom com;
    cTCPIP udp;
};

} // namespace merovan
