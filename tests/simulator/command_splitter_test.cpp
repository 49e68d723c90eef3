#include "command_splitter.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace merovan::sim
