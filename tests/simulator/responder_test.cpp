#include "responder.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

using Pieces = std::vector<ReplyPiece>;

class ResponderTest : public ::testing::Test {
protected:
    Pieces respond(const QByteArray &command)
    {
        if (!responder)
            responder.emplace(options, model);
        return responder->respond(command).pieces;
    }

    SimOptions options;
    RegisterModel model{QStringLiteral("MEROVAN-SIM 1.0")};
    std::optional<Responder> responder;
};

TEST_F(ResponderTest, FramesRepliesWithCrAndEot)
{
    EXPECT_EQ(respond("KXCL"), Pieces({{0, QByteArray("00 OK\r\x04")}}));
    EXPECT_EQ(respond("KXSTAT"), Pieces({{0, QByteArray("STAT:0\r\x04")}}));
    EXPECT_EQ(respond("KXRE"), Pieces({{0, QByteArray("RE:00000:00000:00000\r\x04")}}));
    EXPECT_EQ(respond("KXVER"), Pieces({{0, QByteArray("MEROVAN-SIM 1.0\r\x04")}}));
    EXPECT_EQ(respond("KXNOPE"), Pieces({{0, QByteArray("DE0006\r\x04")}}));
}

TEST_F(ResponderTest, WithoutEotRepliesEndInCr)
{
    options.eot = false;
    EXPECT_EQ(respond("KXCL"), Pieces({{0, QByteArray("00 OK\r")}}));
}

TEST_F(ResponderTest, ForcedErrorAnswersInsteadOfTheRegister)
{
    options.errors = {{"KX150R", 1091}, {"KXCL", 7}};
    EXPECT_EQ(respond("KX150R1ΚΑΦΕΣ"), Pieces({{0, QByteArray("DE1091\r\x04")}}));
    EXPECT_EQ(respond("KXCL"), Pieces({{0, QByteArray("DE0007\r\x04")}}));
    EXPECT_EQ(respond("KXSTAT"), Pieces({{0, QByteArray("STAT:0\r\x04")}})); // the item never got through
}

TEST_F(ResponderTest, DropsTheFirstCommandsThenAnswers)
{
    options.drop = 2;
    EXPECT_TRUE(respond("KX100R1Α").empty());
    EXPECT_TRUE(respond("KXCL").empty());
    EXPECT_EQ(respond("KXSTAT"), Pieces({{0, QByteArray("STAT:0\r\x04")}}));
}

TEST_F(ResponderTest, SilenceForSomeCommandsOrForAll)
{
    options.silentFor = {"KXSTAT", "KXRE"};
    EXPECT_TRUE(respond("KXSTAT").empty());
    EXPECT_TRUE(respond("KXRE").empty());
    EXPECT_EQ(respond("KXST").size(), 1u);

    responder.reset();
    options.silent = true;
    EXPECT_TRUE(respond("KXCL").empty());
}

TEST_F(ResponderTest, SplitReplyComesInTwoPiecesAfterTheLatency)
{
    options.split = true;
    options.latencyMs = 250;
    EXPECT_EQ(respond("KXCL"), Pieces({{250, QByteArray("00 ")}, {Responder::kSplitGapMs, QByteArray("OK\r\x04")}}));
}

TEST_F(ResponderTest, ReadsCommandsAsWindows1253)
{
    const Response response = Responder(options, model).respond("KX150R1\xCA\xC1\xD6\xC5\xD3");
    ASSERT_EQ(response.paper.size(), 2);
    EXPECT_TRUE(response.paper[1].startsWith("ΚΑΦΕΣ ")) << qPrintable(response.paper[1]);
}

} // namespace
} // namespace merovan::sim
