#include "device/transport/udp_transport.h"
#include "register_end.h"

#include <QThread>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace merovan {
namespace {

using test::RegisterEnd;

TEST(UdpTransport, RefusedOpensLeaveNoSocket)
{
    RegisterEnd peer(RegisterEnd::Udp); // keeps the port free of other programs
    const QString port = QString::number(peer.port());
    QUdpSocket holder; // a program that does not share its port
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress));
    const std::pair<QString, qint16> cases[] = {
        {QStringLiteral("COM3:") + port, UdpTransport::kBadAddress},
        {QStringLiteral("127.0.0.2:0"), UdpTransport::kBadPort},
        {QStringLiteral("127.0.0.2:70000"), UdpTransport::kBadPort},
        {QStringLiteral("127.0.0.2"), UdpTransport::kBadPort},
        {QStringLiteral("127.0.0.2:%1").arg(holder.localPort()), UdpTransport::kBindFailed},
        // Broadcast without permission: connect refuses before anything is sent.
        {QStringLiteral("255.255.255.255:") + port, UdpTransport::kConnectFailed},
    };
    for (const auto &[connectionText, code] : cases) {
        UdpTransport udp;
        EXPECT_EQ(udp.open(connectionText), code) << connectionText.toStdString();
        EXPECT_FALSE(udp.isOpen()) << connectionText.toStdString();
    }
}

// A register not yet listening answers "port unreachable": that read fails,
// the following ones work once it listens.
TEST(UdpTransport, ARefusedDatagramFailsOneReadAndSpoilsNothingAfter)
{
    const quint16 port = RegisterEnd(RegisterEnd::Udp).port(); // free again once the probe is gone
    UdpTransport udp;
    ASSERT_EQ(udp.open(QStringLiteral("127.0.0.2:%1").arg(port)), 0);
    ASSERT_TRUE(udp.send(QStringLiteral("KXCL")));
    EXPECT_EQ(udp.receive(1000), QString());
    EXPECT_EQ(udp.lastFailure().code, -2);

    ASSERT_TRUE(udp.send(QStringLiteral("KXCL")));
    QThread::msleep(100); // the refusal is back, unread
    RegisterEnd peer(RegisterEnd::Udp, port);
    EXPECT_TRUE(udp.send(QStringLiteral("KXVER")));
    ASSERT_EQ(peer.receive().size(), 1);
    peer.send("OK");
    EXPECT_EQ(udp.receive(1000), QStringLiteral("OK"));
}

TEST(UdpTransport, ADatagramOver10000BytesIsCut)
{
    RegisterEnd peer(RegisterEnd::Udp);
    UdpTransport udp;
    ASSERT_EQ(udp.open(peer.connectionText()), 0);
    peer.send(QByteArray(10000, 'a') + "lost");
    EXPECT_EQ(udp.receive(1000), QString(10000, QLatin1Char('a')));
    EXPECT_EQ(udp.receive(100), QString());
}

} // namespace
} // namespace merovan
