#include "responder.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

QByteArray framed(const char *text) { return QByteArray(text) + "\r\x04"; }

class OperatorAtRegister : public ::testing::Test {
protected:
    QByteArray reply(const QByteArray &command)
    {
        if (!responder)
            responder.emplace(options, model);
        const Response response = responder->respond(command);
        paper += response.paper;
        return response.pieces.empty() ? QByteArray() : response.pieces.front().bytes;
    }

    SimOptions options;
    RegisterModel model{QStringLiteral("MEROVAN-SIM 1.0")};
    std::optional<Responder> responder;
    QStringList paper;
};

TEST_F(OperatorAtRegister, AStatusErrorHoldsUntilTheOperatorClearsIt)
{
    model.setStatusError(1038);
    options.operatorActions = {{2, "CLEAR"}};
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:1038"));
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:1038")) << "cleared after its answer";
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:0"));
}

TEST_F(OperatorAtRegister, TheOperatorFinishesAReceiptAfterSomeQueries)
{
    options.operatorActions = {{3, "KXT1"}};
    reply("KX500R1Α");
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:1"));
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:1"));
    EXPECT_TRUE(paper.size() == 2) << paper.join('\n').toStdString();
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:1"));
    EXPECT_TRUE(paper.contains("ΠΛΗΡΩΜΗ 1                           5,00"));
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:0"));
}

TEST_F(OperatorAtRegister, ControlDatagramsAreTheOperatorsKeys)
{
    model.setStatusError(1064);
    options.drop = 1; // the operator is never dropped
    reply("KXCL");
    EXPECT_EQ(reply("SIM:KX500R1Α"), framed("00 OK"));
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:1064"));
    EXPECT_EQ(reply("SIM:CLEAR"), framed("00 OK"));
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:1"));
    EXPECT_EQ(reply("SIM:KXT1"), framed("00 OK"));
    EXPECT_EQ(reply("KXSTAT"), framed("STAT:0"));
}

} // namespace
} // namespace merovan::sim
