#include "wires.h"

#include <gtest/gtest.h>

namespace merovan {

UdpPeer::UdpPeer(quint16 port)
{
    EXPECT_TRUE(socket_.bind(QHostAddress(QStringLiteral("127.0.0.2")), port, QAbstractSocket::ShareAddress))
        << socket_.errorString().toStdString();
}

QString UdpPeer::connectionText() const
{
    return QStringLiteral("127.0.0.2:%1").arg(port());
}

QList<QNetworkDatagram> UdpPeer::receive(int quietMs)
{
    QList<QNetworkDatagram> datagrams;
    while (socket_.hasPendingDatagrams() || socket_.waitForReadyRead(quietMs))
        datagrams.append(socket_.receiveDatagram());
    return datagrams;
}

void UdpPeer::send(const QByteArray &bytes)
{
    EXPECT_EQ(socket_.writeDatagram(bytes, QHostAddress::LocalHost, port()), bytes.size());
}

qint16 openOn(cCom &com, const PseudoTerminal &pty, const QString &connectionText)
{
    qputenv("MEROVAN_COM1", pty.slavePath().toLocal8Bit());
    return com.OpenConnection(connectionText);
}

SerialWire::SerialWire()
{
    EXPECT_EQ(openOn(com, pty), 0) << com.exResult.toStdString();
}

QByteArrayList SerialWire::received()
{
    const QByteArray bytes = pty.read();
    return bytes.isEmpty() ? QByteArrayList() : QByteArrayList{bytes};
}

UdpWire::UdpWire()
{
    EXPECT_EQ(udp.OpenConnection(peer.connectionText()), 0);
}

QByteArrayList UdpWire::received()
{
    QByteArrayList datagrams;
    for (const QNetworkDatagram &datagram : peer.receive())
        datagrams.append(datagram.data());
    return datagrams;
}

} // namespace merovan
