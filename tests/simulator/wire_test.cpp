#include "command_splitter.h"
#include "responder.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace merovan::sim {
namespace {

TEST(CommandSplitter, CutsAStreamFedInOddChunksAtCrLf)
{
    const QByteArray stream("KXCL\r\nKX150R1\xCA\xC1\xD6\xC5\xD3\r\nKXCO \r\nKXSTAT\r\n");
    for (int chunk = 1; chunk <= 7; ++chunk) {
        CommandSplitter splitter;
        QList<QByteArray> commands;
        for (qsizetype at = 0; at < stream.size(); at += chunk)
            commands += splitter.feed(stream.mid(at, chunk));
        EXPECT_EQ(commands, QList<QByteArray>({"KXCL", "KX150R1\xCA\xC1\xD6\xC5\xD3", "KXCO ", "KXSTAT"}))
            << "chunk " << chunk;
    }
}

TEST(CommandSplitter, KeepsALoneCrOrLfAndWaitsForTheTerminator)
{
    CommandSplitter splitter;
    EXPECT_TRUE(splitter.feed("KX794ST\r").isEmpty());
    EXPECT_EQ(splitter.feed("\r\nA\nB\r"), QList<QByteArray>({"KX794ST\r"}));
    EXPECT_EQ(splitter.feed("\n\r\n"), QList<QByteArray>({"A\nB", ""}));
}

TEST(CommandSplitter, DatagramLosesOneFinalCrLf)
{
    EXPECT_EQ(datagramCommand("KX"), "KX");
    EXPECT_EQ(datagramCommand("KXCO A\r\n\r\n"), "KXCO A\r\n");
}

using Pieces = std::vector<ReplyPiece>;

Pieces now(const QByteArray &text) { return {{0, text + "\r\x04"}}; }

// Commands in turn, under the switches, and the bytes that go back for each.
TEST(Responder, RepliesOnTheLine)
{
    const int gap = Responder::kSplitGapMs;
    const Pieces ok = now("00 OK"), none, stat0 = now("STAT:0"), stat1 = now("STAT:1");
    const struct {
        const char *name;
        const char *switches;
        QList<QByteArray> commands;
        std::vector<Pieces> replies;
    } cases[] = {
        {"framed with CR and EOT", "", {"KXCL", "KXNOPE"}, {ok, now("DE0006")}},
        {"without EOT", "--no-eot", {"KXCL"}, {{{0, "00 OK\r"}}}},
        {"forced errors never reach the register", "--error KX150R=1091 --error KXCL=7", {"KX150R1A", "KXCL", "KXSTAT"},
         {now("DE1091"), now("DE0007"), stat0}},
        {"the first commands dropped", "--drop 2", {"KX100R1A", "KXCL", "KXSTAT"}, {none, none, stat0}},
        {"silent for some", "--silent-for KXSTAT --silent-for KXRE", {"KXSTAT", "KXRE", "KXST"}, {none, none, ok}},
        {"silent for all", "--silent", {"KXCL"}, {none}},
        {"split after the latency", "--split --latency 250", {"KXCL"}, {{{250, "00 "}, {gap, "OK\r\x04"}}}},
        {"busy on the first of some", "--busy-on KX100R=7600 --latency 40", {"KX100R1A", "KXCL", "KX100R1A"},
         {{{7600, "00 OK\r\x04"}}, {{40, "00 OK\r\x04"}}, {{40, "00 OK\r\x04"}}}},
        {"every command lost", "--lose-commands 1", {"KX100R1A", "KXSTAT"}, {none, none}},
        {"every reply lost, the operator's keys still answered", "--lose-replies 1", {"KX100R1A", "SIM:CLEAR"},
         {none, ok}},
        {"error replies whole under --split", "--split", {"KXNOPE"}, {now("DE0006")}},
        {"error replies cut inside their number", "--split-errors", {"KXNOPE", "KXCL"},
         {{{0, "DE00"}, {gap, "06\r\x04"}}, ok}},
        {"an error waiting in the other status form", "--status-error 1064 --status-de", {"KXSTAT"},
         {now("0000000DE1064C")}},
        {"a card verdict in its own frame and pieces", "--split --eft 1=decline:05:3000", {"KX100R1A", "KX100T2P1"},
         {{{0, "00 "}, {gap, "OK\r\x04"}}, {{0, "00 "}, {gap, "OK\r\x04"}, {3000, "358ER"}, {gap, ":05\r\x04"}}}},
        {"control datagrams are the operator's keys, never dropped", "--status-error 1064 --drop 1",
         {"KXCL", "SIM:KX500R1A", "KXSTAT", "SIM:CLEAR", "KXSTAT", "SIM:KXT1", "KXSTAT"},
         {none, ok, now("STAT:1064"), ok, stat1, ok, stat0}},
    };
    for (const auto &c : cases) {
        const ParsedOptions parsed = parseSimOptions(QString("--pty x ").append(c.switches).split(' ', Qt::SkipEmptyParts));
        ASSERT_EQ(parsed.error, "") << c.name;
        const SimOptions &o = parsed.options;
        RegisterModel model{o.firmware}; // wired as the simulator's main wires it
        for (auto terminal = o.terminals.begin(); terminal != o.terminals.end(); ++terminal)
            model.attachTerminal(terminal.key(), terminal.value());
        model.setStatusError(o.statusError);
        model.setStatusAsError(o.statusAsError);
        Responder responder(o, model);
        std::vector<Pieces> replies;
        for (const QByteArray &command : c.commands)
            replies.push_back(responder.respond(command).pieces);
        EXPECT_EQ(replies, c.replies) << c.name;
    }
}

// A lost reply is lost after the register has acted: the paper roll and
// the status show the item; a lost command leaves no trace but the trace.
TEST(Responder, LostRepliesStillPrintLostCommandsDoNot)
{
    const auto run = [](const char *switches) {
        const ParsedOptions parsed = parseSimOptions(QString("--pty x ").append(switches).split(' '));
        auto model = std::make_unique<RegisterModel>(parsed.options.firmware);
        Responder responder(parsed.options, *model);
        const Response item = responder.respond("KX100R1A");
        return std::tuple(item.pieces.empty(), item.paper.size(), model->status());
    };
    EXPECT_EQ(run("--lose-replies 1"), std::tuple(true, qsizetype(2), int(RegisterModel::kStatusReceiptOpen)));
    EXPECT_EQ(run("--lose-commands 1"), std::tuple(true, qsizetype(0), int(RegisterModel::kStatusIdle)));
}

// The same seed loses the same commands and replies; another seed others;
// about the chance asked for is lost.
TEST(Responder, LossesFollowTheSeed)
{
    const auto losses = [](const char *seed) {
        const ParsedOptions parsed =
            parseSimOptions(QString("--pty x --lose-commands 0.2 --lose-replies 0.2 --seed ").append(seed).split(' '));
        RegisterModel model{parsed.options.firmware};
        Responder responder(parsed.options, model);
        QString pattern;
        for (int i = 0; i < 500; ++i)
            pattern += responder.respond("KXSTAT").pieces.empty() ? 'x' : '.';
        return pattern;
    };
    const QString first = losses("7");
    EXPECT_EQ(losses("7"), first);
    EXPECT_NE(losses("8"), first);
    // 1 - 0.8 * 0.8 = 36 % of the commands get no reply.
    EXPECT_GT(first.count('x'), 140);
    EXPECT_LT(first.count('x'), 220);
}

} // namespace
} // namespace merovan::sim
