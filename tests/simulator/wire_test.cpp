#include "command_splitter.h"
#include "responder.h"

#include <gtest/gtest.h>

#include <functional>

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
    EXPECT_EQ(datagramCommand("KXSTAT\r\n"), "KXSTAT");
    EXPECT_EQ(datagramCommand("KXCO \r\n"), "KXCO ");
    EXPECT_EQ(datagramCommand("KX"), "KX");
    EXPECT_EQ(datagramCommand("KXCO A\r\n\r\n"), "KXCO A\r\n");
}

using Pieces = std::vector<ReplyPiece>;

Pieces now(const QByteArray &text) { return {{0, text + "\r\x04"}}; }

// Commands in turn and the bytes that go back for each.
TEST(Responder, RepliesOnTheLine)
{
    const Pieces ok = now("00 OK"), none, stat0 = now("STAT:0"), stat1 = now("STAT:1");
    const struct {
        const char *name;
        std::function<void(SimOptions &, RegisterModel &)> setUp;
        QList<QByteArray> commands;
        std::vector<Pieces> replies;
    } cases[] = {
        {"framed with CR and EOT", {}, {"KXCL", "KXSTAT", "KXRE", "KXVER", "KXNOPE"},
         {ok, stat0, now("RE:00000:00000:00000"), now("MEROVAN-SIM 1.0"), now("DE0006")}},
        {"without EOT", [](SimOptions &o, RegisterModel &) { o.eot = false; }, {"KXCL"}, {{{0, "00 OK\r"}}}},
        {"forced errors never reach the register",
         [](SimOptions &o, RegisterModel &) { o.errors = {{"KX150R", 1091}, {"KXCL", 7}}; },
         {"KX150R1A", "KXCL", "KXSTAT"}, {now("DE1091"), now("DE0007"), stat0}},
        {"the first commands dropped", [](SimOptions &o, RegisterModel &) { o.drop = 2; },
         {"KX100R1A", "KXCL", "KXSTAT"}, {none, none, stat0}},
        {"silent for some", [](SimOptions &o, RegisterModel &) { o.silentFor = {"KXSTAT", "KXRE"}; },
         {"KXSTAT", "KXRE", "KXST"}, {none, none, ok}},
        {"silent for all", [](SimOptions &o, RegisterModel &) { o.silent = true; }, {"KXCL"}, {none}},
        {"split after the latency",
         [](SimOptions &o, RegisterModel &) {
             o.split = true;
             o.latencyMs = 250;
         },
         {"KXCL"}, {{{250, "00 "}, {Responder::kSplitGapMs, "OK\r\x04"}}}},
        {"a card verdict in its own frame and pieces",
         [](SimOptions &o, RegisterModel &m) {
             o.split = true;
             m.attachTerminal(1, {{TerminalVerdict::Kind::Decline, "05", 3000}});
         },
         {"KX100R1A", "KX100T2P1"},
         {{{0, "00 "}, {Responder::kSplitGapMs, "OK\r\x04"}},
          {{0, "00 "}, {Responder::kSplitGapMs, "OK\r\x04"}, {3000, "358ER"}, {Responder::kSplitGapMs, ":05\r\x04"}}}},
        {"a status error held until the operator clears it",
         [](SimOptions &o, RegisterModel &m) {
             m.setStatusError(1038);
             o.operatorActions = {{2, "CLEAR"}};
         },
         {"KXSTAT", "KXSTAT", "KXSTAT"}, {now("STAT:1038"), now("STAT:1038"), stat0}},
        {"the operator pays after three queries",
         [](SimOptions &o, RegisterModel &) { o.operatorActions = {{3, "KXT1"}}; },
         {"KX500R1A", "KXSTAT", "KXSTAT", "KXSTAT", "KXSTAT"}, {ok, stat1, stat1, stat1, stat0}},
        {"control datagrams are the operator's keys, never dropped",
         [](SimOptions &o, RegisterModel &m) {
             m.setStatusError(1064);
             o.drop = 1;
         },
         {"KXCL", "SIM:KX500R1A", "KXSTAT", "SIM:CLEAR", "KXSTAT", "SIM:KXT1", "KXSTAT"},
         {none, ok, now("STAT:1064"), ok, stat1, ok, stat0}},
    };
    for (const auto &c : cases) {
        SimOptions options;
        RegisterModel model{"MEROVAN-SIM 1.0"};
        if (c.setUp)
            c.setUp(options, model);
        Responder responder(options, model);
        std::vector<Pieces> replies;
        for (const QByteArray &command : c.commands)
            replies.push_back(responder.respond(command).pieces);
        EXPECT_EQ(replies, c.replies) << c.name;
    }
}

} // namespace
} // namespace merovan::sim
