#include "device/transport/local_address.h"
#include "wires.h"

#include <QThread>

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(UdpTransport, RefusedOpensLeaveNoSocketAndNoResult)
{
    UdpPeer peer;  // keeps the port free of other programs
    const QString port = QString::number(peer.port());
    const struct {
        QString connectionText;
        qint16 code;
    } cases[] = {
        {QStringLiteral("COM3:") + port, cTCPIP::kBadAddress},
        {QStringLiteral("127.0.2:") + port, cTCPIP::kBadAddress},
        {QStringLiteral("127.0.0.2:0"), cTCPIP::kBadPort},
        {QStringLiteral("127.0.0.2:70000"), cTCPIP::kBadPort},
        {QStringLiteral("127.0.0.2:x"), cTCPIP::kBadPort},
        {QStringLiteral("127.0.0.2"), cTCPIP::kBadPort},
        // Broadcast without permission: connect refuses before anything is sent.
        {QStringLiteral("255.255.255.255:") + port, cTCPIP::kConnectFailed},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.connectionText.toStdString());
        cTCPIP udp;
        EXPECT_EQ(udp.OpenConnection(c.connectionText), c.code);
        EXPECT_EQ(udp.SocketHnd(), 0);
        EXPECT_EQ(udp.Result, 0);
        EXPECT_EQ(udp.exResult, QString());
    }
}

TEST(UdpTransport, APortHeldWithoutSharingCannotBeBound)
{
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress));
    cTCPIP udp;
    EXPECT_EQ(udp.OpenConnection(QStringLiteral("127.0.0.2:%1").arg(holder.localPort())), cTCPIP::kBindFailed);
}

TEST(UdpTransport, OpeningTwiceKeepsTheFirstSocket)
{
    UdpPeer peer;
    cTCPIP udp;
    ASSERT_EQ(udp.OpenConnection(peer.connectionText()), 0);
    const auto socket = udp.SocketHnd();
    EXPECT_NE(socket, 0);
    EXPECT_EQ(udp.OpenConnection(QStringLiteral("127.0.0.3:1")), 0);
    EXPECT_EQ(udp.SocketHnd(), socket);
    EXPECT_EQ(udp.RemoteHostIP(), QStringLiteral("127.0.0.2"));
    EXPECT_EQ(udp.RemotePort(), peer.port());
}

TEST(UdpTransport, SharesItsPortWithASimulatorOnAnotherLoopbackAddress)
{
    UdpWire wire;
    ASSERT_TRUE(wire.udp.sendData(QStringLiteral("KXCL")));
    const QList<QNetworkDatagram> got = wire.peer.receive();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].senderPort(), wire.peer.port());
}

TEST(UdpTransport, ARefusedDatagramFailsOneReadAndSpoilsNothingAfter)
{
    const quint16 port = UdpPeer().port();  // free again once the probe is gone
    cTCPIP udp;
    ASSERT_EQ(udp.OpenConnection(QStringLiteral("127.0.0.2:%1").arg(port)), 0);

    ASSERT_TRUE(udp.sendData(QStringLiteral("KXCL")));
    EXPECT_EQ(udp.ReceiveData(1000), QString());
    EXPECT_EQ(udp.Result, -2);
    EXPECT_EQ(udp.exResult, QStringLiteral("Λάθος κατά την ανάγνωση στοιχείων απο την θύρα (Ethernet)"));

    ASSERT_TRUE(udp.sendData(QStringLiteral("KXCL")));
    QThread::msleep(100);  // the refusal is back, unread
    UdpPeer peer(port);
    EXPECT_TRUE(udp.sendData(QStringLiteral("KXVER")));
    ASSERT_EQ(peer.receive().size(), 1);
    peer.send("OK");
    EXPECT_EQ(udp.ReceiveData(1000), QStringLiteral("OK"));
}

TEST(UdpTransport, ADatagramOver10000BytesIsCut)
{
    UdpWire wire;
    wire.peer.send(QByteArray(10000, 'a') + "lost");
    EXPECT_EQ(wire.udp.ReceiveData(1000), QString(10000, QLatin1Char('a')));
    EXPECT_EQ(wire.udp.ReceiveData(100), QString());
}

TEST(UdpTransport, FailuresSetResultAndText)
{
    UdpWire wire;
    wire.udp.ShutdownConnection();
    EXPECT_FALSE(wire.udp.sendData(QStringLiteral("KXCL")));
    EXPECT_EQ(wire.udp.Result, -1);
    EXPECT_EQ(wire.udp.exResult, QStringLiteral("Λάθος κατά την αποστολή δεδομένων στην θύρα (Ethernet)"));
    EXPECT_FALSE(wire.udp.IsDataAvailable(0));
    EXPECT_EQ(wire.udp.Result, -3);
    EXPECT_EQ(wire.udp.exResult, QStringLiteral("Λάθος κατά την προσπέλαση της θύρας (Ethernet)"));
}

TEST(FindLocalAddress, TakesTheFirstAddressOfARealInterface)
{
    const struct {
        QStringList addresses;
        QString chosen;
    } cases[] = {
        {{QStringLiteral("127.0.0.1"), QStringLiteral("192.168.1.7")}, QStringLiteral("192.168.1.7")},
        {{QStringLiteral("0.0.0.0"), QStringLiteral("0.0.0.1"), QStringLiteral("10.0.0.5"), QStringLiteral("192.168.1.7")},
         QStringLiteral("10.0.0.5")},
        {{QStringLiteral("127.0.0.1"), QStringLiteral("0.0.0.0")}, QString()},
        {{}, QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(firstUsableLocalAddress(c.addresses), c.chosen) << c.addresses.join(' ').toStdString();
}

} // namespace
} // namespace merovan
