#include "sim_options.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

ParsedOptions parse(const QString &line)
{
    return parseSimOptions(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

TEST(SimOptions, ReadsEverySwitch)
{
    const ParsedOptions parsed = parse(
        "--udp 127.0.0.2:5012 --trace t.txt --paper p.txt --latency 150 --silent-for KXSTAT --silent-for KXRE "
        "--drop 3 --split --error KXST=1038 --error KX150R=6 --no-eot --version FW-2.1 --silent --baud 19200");
    ASSERT_EQ(parsed.error, "");
    const SimOptions &o = parsed.options;
    EXPECT_EQ(o.link, SimOptions::Link::Udp);
    EXPECT_EQ(o.udpAddress, "127.0.0.2");
    EXPECT_EQ(o.udpPort, 5012);
    EXPECT_EQ(o.tracePath, "t.txt");
    EXPECT_EQ(o.paperPath, "p.txt");
    EXPECT_EQ(o.latencyMs, 150);
    EXPECT_EQ(o.silentFor, QStringList({"KXSTAT", "KXRE"}));
    EXPECT_EQ(o.drop, 3);
    EXPECT_TRUE(o.split);
    ASSERT_EQ(o.errors.size(), 2u);
    EXPECT_EQ(o.errors[0].prefix, "KXST");
    EXPECT_EQ(o.errors[0].code, 1038);
    EXPECT_EQ(o.errors[1].prefix, "KX150R");
    EXPECT_EQ(o.errors[1].code, 6);
    EXPECT_FALSE(o.eot);
    EXPECT_EQ(o.version, "FW-2.1");
    EXPECT_TRUE(o.silent);
    EXPECT_EQ(o.baud, 19200);
}

TEST(SimOptions, DefaultsAnswerPromptlyWithEot)
{
    const ParsedOptions parsed = parse("--pty /tmp/ttyMEROVAN");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.link, SimOptions::Link::Pty);
    EXPECT_EQ(parsed.options.ptyPath, "/tmp/ttyMEROVAN");
    EXPECT_TRUE(parsed.options.eot);
    EXPECT_EQ(parsed.options.latencyMs, 0);
    EXPECT_EQ(parsed.options.version, "MEROVAN-SIM 1.0");
    EXPECT_EQ(parsed.options.baud, 9600);
}

TEST(SimOptions, RejectsBadArguments)
{
    for (const char *line : {"", "--trace t.txt", "--udp 127.0.0.2:5012 --pty /tmp/x", "--udp 127.0.0.2",
                             "--udp localhost:5012", "--udp 127.0.0.2:0", "--udp 127.0.0.256:5012",
                             "--udp 127.0.0.2:65536", "--pty /tmp/x --latency soon", "--pty /tmp/x --latency -5",
                             "--pty /tmp/x --error KXST", "--pty /tmp/x --error =1038", "--pty /tmp/x --error KXST=12345",
                             "--pty /tmp/x --trace", "--pty /tmp/x --fast"}) {
        const ParsedOptions parsed = parse(line);
        EXPECT_NE(parsed.error, "") << line;
        EXPECT_FALSE(parsed.help) << line;
    }
}

TEST(SimOptions, HelpNeedsNothingElse)
{
    EXPECT_TRUE(parse("--help").help);
    EXPECT_TRUE(simUsage().contains("--silent-for CMD"));
}

} // namespace
} // namespace merovan::sim
