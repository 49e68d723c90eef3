#include "wires.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace merovan {
namespace {

// What both transports must do alike, run against a real pseudo-terminal and
// real loopback sockets.
using MakeWire = std::unique_ptr<Wire> (*)();

class WireTest : public ::testing::TestWithParam<MakeWire> {
protected:
    std::unique_ptr<Wire> wire = GetParam()();
    Transport &transport = wire->transport();
};

TEST_P(WireTest, SendsEachCommandOnceInWindows1253WithOneTerminator)
{
    const struct {
        QString command;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("KXCL"), "KXCL\r\n"},
        {QStringLiteral("KXSTAT"), "KXSTAT\r\n"},
        {QStringLiteral("K"), "K"},
        {QStringLiteral("KX"), "KX"},
        {QStringLiteral("KXCL\r\n"), "KXCL\r\n"},
        {QStringLiteral("KX150R1ΚΑΦΕΣ"), "KX150R1\xCA\xC1\xD6\xC5\xD3\r\n"},
        {QString(300, QLatin1Char('A')), QByteArray(300, 'A') + "\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.command.left(20).toStdString());
        EXPECT_TRUE(transport.sendData(c.command));
        EXPECT_EQ(wire->received(), QByteArrayList{c.bytes});
    }
}

TEST_P(WireTest, RepliesComeBackAsWindows1253Text)
{
    wire->reply("KX\xC1\xE2 OK\x04");
    EXPECT_EQ(transport.ReceiveData(1000), QStringLiteral("KXΑβ OK\x04"));
}

TEST_P(WireTest, IsDataAvailableLooksWithoutTaking)
{
    wire->reply("A");
    EXPECT_TRUE(transport.IsDataAvailable(1000));
    EXPECT_EQ(transport.ReceiveData(1000), QStringLiteral("A"));
}

// Silence, and a closed transport, cost the wait and no more; returning at
// once would leave the caller's read loop spinning.
TEST_P(WireTest, WaitsOutSilenceAndThenGivesUp)
{
    for (bool open : {true, false}) {
        SCOPED_TRACE(open ? "open" : "shut down");
        if (!open)
            transport.ShutdownConnection();
        EXPECT_EQ(transport.isOpen(), open);
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(transport.ReceiveData(100), QString());
        EXPECT_FALSE(transport.IsDataAvailable(100));
        EXPECT_GE(timer.elapsed(), 180);
        EXPECT_LT(timer.elapsed(), 2000);
    }
    EXPECT_FALSE(transport.sendData(QStringLiteral("KXCL")));
    EXPECT_EQ(wire->received(), QByteArrayList());
}

INSTANTIATE_TEST_SUITE_P(Transports, WireTest,
                         ::testing::Values(+[]() -> std::unique_ptr<Wire> { return std::make_unique<SerialWire>(); },
                                           +[]() -> std::unique_ptr<Wire> { return std::make_unique<UdpWire>(); }),
                         [](const auto &info) { return info.index == 0 ? "Serial" : "Udp"; });

} // namespace
} // namespace merovan
