#include "sim_options.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

using Kind = TerminalVerdict::Kind;
using Verdicts = std::vector<TerminalVerdict>;

ParsedOptions parse(const QString &line) { return parseSimOptions(line.split(' ', Qt::SkipEmptyParts)); }

// The switches that shape the replies are read in the responder's cases.
TEST(SimOptions, ReadsTheSwitches)
{
    const ParsedOptions parsed = parse("--udp 127.0.0.2:5012 --firmware FW-2.1 --baud 19200 --eft 2=decline:05:1000,approve");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.firmware, "FW-2.1");
    EXPECT_EQ(parsed.options.baud, 19200);
    EXPECT_EQ(parsed.options.terminals.value(2), (Verdicts{{Kind::Decline, "05", 1000}, {Kind::Approve, {}, 1000}}));

    const ParsedOptions losing =
        parse("--udp 127.0.0.2:5012 --lose-replies 0.02 --lose-commands 1 --seed 7 --busy-on KX100R=7600");
    ASSERT_EQ(losing.error, "");
    EXPECT_EQ(losing.options.loseReplies, 0.02);
    EXPECT_EQ(losing.options.loseCommands, 1.0);
    EXPECT_EQ(losing.options.seed, 7u);
    ASSERT_EQ(losing.options.busy.size(), 1u);
    EXPECT_EQ(losing.options.busy[0].prefix, "KX100R");
    EXPECT_EQ(losing.options.busy[0].ms, 7600);

    const ParsedOptions plain = parse("--pty /tmp/ttyMEROVAN");
    ASSERT_EQ(plain.error, "");
    EXPECT_EQ(plain.options.link, SimOptions::Link::Pty);
    EXPECT_EQ(plain.options.baud, 9600);
}

TEST(SimOptions, RejectsBadArguments)
{
    for (const char *line :
         {"", "--trace t.txt", "--udp 127.0.0.2:5012 --pty /tmp/x", "--udp 127.0.0.2", "--udp localhost:5012",
          "--udp 127.0.0.2:0", "--udp 127.0.0.256:5012", "--udp 127.0.0.2:65536", "--pty /tmp/x --latency soon",
          "--pty /tmp/x --latency -5", "--pty /tmp/x --error KXST", "--pty /tmp/x --error =1038",
          "--pty /tmp/x --error KXST=12345", "--pty /tmp/x --trace", "--pty /tmp/x --fast",
          "--pty /tmp/x --eft 1=perhaps", "--pty /tmp/x --eft 123=approve", "--pty /tmp/x --eft approve",
          "--pty /tmp/x --operator KXT1", "--pty /tmp/x --operator 2=", "--pty /tmp/x --status-error x",
          "--pty /tmp/x --lose-replies 2", "--pty /tmp/x --lose-replies .5", "--pty /tmp/x --lose-commands -0.1",
          "--pty /tmp/x --lose-replies 1.5", "--pty /tmp/x --seed x", "--pty /tmp/x --busy-on KX100R",
          "--pty /tmp/x --busy-on KX=soon"}) {
        const ParsedOptions parsed = parse(line);
        EXPECT_NE(parsed.error, "") << line;
        EXPECT_FALSE(parsed.help) << line;
    }
    EXPECT_TRUE(parse("--help").help);
    EXPECT_TRUE(parse("--version").version);
    EXPECT_FALSE(parse("--version").help);
}

TEST(SimOptions, TerminalVerdictsFromTheSwitchText)
{
    const struct {
        const char *text;
        std::optional<Verdicts> expected;
    } cases[] = {
        {"approve", Verdicts{{Kind::Approve, {}, 1000}}},
        {"approve355:10,approve356", Verdicts{{Kind::Approve, "355", 10}, {Kind::Approve, "356", 1000}}},
        {"decline:ECR INACTIVE EFTPOS", Verdicts{{Kind::Decline, "ECR INACTIVE EFTPOS", 1000}}},
        {"cntfail:300", Verdicts{{Kind::NoContact, {}, 300}}},
        {"silent", Verdicts{{Kind::Silent, {}, 1000}}},
        {"decline:999:0,approve:2000", Verdicts{{Kind::Decline, "999", 0}, {Kind::Approve, {}, 2000}}},
        {"decline", std::nullopt},
        {"silent:100", std::nullopt},
        {"approve:soon", std::nullopt},
        {"maybe", std::nullopt},
        {"approve,", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseVerdicts(c.text), c.expected) << c.text;
}

} // namespace
} // namespace merovan::sim
