#include "device/transport/serial_transport.h"
#include "device/transport/udp_transport.h"
#include "register_end.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace merovan {
namespace {

using test::RegisterEnd;

// What both transports must do alike, run against a real pseudo-terminal
// (true) and real loopback sockets (false).
class WireTest : public ::testing::TestWithParam<bool> {
protected:
    WireTest() { EXPECT_EQ(transport.open(far.connectionText()), 0); }

    RegisterEnd far{GetParam() ? RegisterEnd::Pty : RegisterEnd::Udp};
    SerialTransport com;
    UdpTransport udp;
    Transport &transport = GetParam() ? static_cast<Transport &>(com) : udp;
};

TEST_P(WireTest, SendsEachCommandOnceInWindows1253WithOneTerminator)
{
    const std::pair<QString, QByteArray> cases[] = {
        {QStringLiteral("KXCL"), "KXCL\r\n"}, {QStringLiteral("K"), "K"},
        {QStringLiteral("KX"), "KX"},         {QStringLiteral("KXC"), "KXC\r\n"},
        {QStringLiteral("KXCL\r\n"), "KXCL\r\n"},
        {QStringLiteral("KX150R1ΚΑΦΕΣ"), "KX150R1\xCA\xC1\xD6\xC5\xD3\r\n"},
        {QString(300, QLatin1Char('A')), QByteArray(300, 'A') + "\r\n"},
    };
    for (const auto &[command, bytes] : cases) {
        EXPECT_TRUE(transport.send(command));
        EXPECT_EQ(far.receive(), QByteArrayList{bytes}) << command.left(20).toStdString();
    }
}

TEST_P(WireTest, AReplyIsSeenWithoutTakingItThenReadAsWindows1253)
{
    far.send("KX\xC1\xE2 OK\x04");
    EXPECT_TRUE(transport.waitForData(1000));
    EXPECT_EQ(transport.receive(1000), QStringLiteral("KXΑβ OK\x04"));
}

// Silence, and a closed transport, cost the wait and no more; returning at
// once would leave the caller's read loop spinning.
TEST_P(WireTest, WaitsOutSilenceAndThenGivesUp)
{
    for (bool open : {true, false}) {
        SCOPED_TRACE(open ? "open" : "shut down");
        if (!open)
            transport.close();
        EXPECT_EQ(transport.isOpen(), open);
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(transport.receive(100), QString());
        EXPECT_FALSE(transport.waitForData(100));
        EXPECT_GE(timer.elapsed(), 180);
        EXPECT_LT(timer.elapsed(), 2000);
    }
    EXPECT_FALSE(transport.send(QStringLiteral("KXCL")));
    EXPECT_EQ(far.receive(), QByteArrayList());
}

INSTANTIATE_TEST_SUITE_P(Transports, WireTest, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Serial" : "Udp"; });

} // namespace
} // namespace merovan
