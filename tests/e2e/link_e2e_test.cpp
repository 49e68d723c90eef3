// The register link over real devices: UDP on loopback and a pseudo-terminal,
// with the register played by a script on its own thread.
#include "core/clock.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "greek/cp1253.h"
#include "recording_operator.h"
#include "register_end.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace merovan;
using namespace merovan::test;

namespace {

class LinkOverRealWire : public ::testing::TestWithParam<RegisterEnd::Kind> {
protected:
    LinkOverRealWire()
    {
        connection.connectionText = peer.connectionText();
        link.jobResultFile = dir.filePath(QStringLiteral("Result"));
    }

    QString resultFile() const
    {
        QFile file(link.jobResultFile);
        return file.open(QIODevice::ReadOnly) ? fromCp1253(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    SystemClock clock;
    RecordingOperator op;
    DebugLog log{clock, dir.filePath(QStringLiteral("log.txt"))};
    RegisterEnd peer{GetParam()};
    Connection connection;
    RegisterLink link{clock, op, log, connection};
    std::jthread script; // the register, on its own thread
};

TEST_P(LinkOverRealWire, CommandsGoOutExactlyAndErrorRepliesAreAnsweredWithKxcl)
{
    QByteArrayList received;
    script = std::jthread([&] {
        for (const char *answer : {"00 OK\r\x04", "DE1038\r\x04", "00 OK\r\x04"}) {
            received << peer.receive(10000);
            peer.send(answer);
        }
    });

    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = true});
    EXPECT_EQ(sent.code, 0);
    EXPECT_EQ(sent.text, QStringLiteral("00 OK"));

    sent = link.sendCommand(QStringLiteral("KX150R1ΚΑΦΕ"), {.silent = true});
    script.join();
    EXPECT_EQ(sent.code, 1038);
    EXPECT_EQ(sent.text, QStringLiteral("1038"));
    EXPECT_EQ(received, (QByteArrayList{"KXCL\r\n", "KX150R1\xCA\xC1\xD6\xC5\r\n", "KXCL\r\n"}));
    EXPECT_TRUE(resultFile().startsWith(QStringLiteral("Err = 1038, [KX150R1ΚΑΦΕ] DateTime = ")));
}

TEST_P(LinkOverRealWire, CardVerdictAfterTheFirstReplyIsTheAnswer)
{
    script = std::jthread([this] {
        peer.receive(10000);
        peer.send("00 OK\r\x04");
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        peer.send("356OK\r\x04");
    });

    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KX1000T5"), {.silent = true, .asyncSeconds = 5, .extraTimeout = 3});
    script.join();
    EXPECT_EQ(sent.code, 0);
    EXPECT_EQ(sent.text, QStringLiteral("356OK"));
    EXPECT_EQ(resultFile(), QStringLiteral("ccPay0 = 0,OK\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Wires, LinkOverRealWire, ::testing::Values(RegisterEnd::Udp, RegisterEnd::Pty),
                         [](const auto &info) { return info.param == RegisterEnd::Udp ? "udp" : "pty"; });

} // namespace
