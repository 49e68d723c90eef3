#include "register_model.h"
#include "responder.h"
#include "sim_options.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

using Kind = TerminalVerdict::Kind;
using Pieces = std::vector<ReplyPiece>;

QString approvalOf(int terminal, int transaction, qint64 cents)
{
    const QString number = QString::number(terminal);
    const QString serial = QStringLiteral("%1").arg(transaction, 6, 10, QLatin1Char('0'));
    return QStringLiteral("358OK          ") + number + QStringLiteral(":SALE:") + serial + QLatin1Char(':') +
           QString::number(cents) + QStringLiteral(":0:0:000000:000000:SIM0000") + number +
           QStringLiteral(":VISA:************000") + number + QStringLiteral(":A") + serial + QStringLiteral(":001:0") +
           number + serial + QStringLiteral(":00");
}

TEST(TerminalVerdicts, ReadFromTheSwitchText)
{
    const struct {
        const char *text;
        std::optional<std::vector<TerminalVerdict>> expected;
    } cases[] = {
        {"approve", std::vector<TerminalVerdict>{{Kind::Approve, {}, 1000}}},
        {"approve:5000", std::vector<TerminalVerdict>{{Kind::Approve, {}, 5000}}},
        {"decline:05:1000", std::vector<TerminalVerdict>{{Kind::Decline, "05", 1000}}},
        {"decline:ECR INACTIVE EFTPOS", std::vector<TerminalVerdict>{{Kind::Decline, "ECR INACTIVE EFTPOS", 1000}}},
        {"cntfail:300", std::vector<TerminalVerdict>{{Kind::NoContact, {}, 300}}},
        {"silent", std::vector<TerminalVerdict>{{Kind::Silent, {}, 1000}}},
        {"decline:999:0,approve:2000",
         std::vector<TerminalVerdict>{{Kind::Decline, "999", 0}, {Kind::Approve, {}, 2000}}},
        {"decline", std::nullopt},
        {"silent:100", std::nullopt},
        {"approve:soon", std::nullopt},
        {"maybe", std::nullopt},
        {"approve,", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseVerdicts(QString::fromUtf8(c.text)), c.expected) << c.text;
}

class CardTerminals : public ::testing::Test {
protected:
    void accept(const QStringList &commands)
    {
        for (const QString &command : commands)
            ASSERT_EQ(model.handle(command).text, "00 OK") << qPrintable(command);
    }

    RegisterModel model{QStringLiteral("MEROVAN-SIM 1.0")};
};

TEST_F(CardTerminals, AnApprovedPaymentIsBookedAndItsVerdictComesLater)
{
    model.attachTerminal(1, {{Kind::Approve, {}, 5000}});
    accept({"KX1000R1ΚΑΦΕΣ", "KXST", "KX500T1"});
    const Reply card = model.handle("KX500T2P1");
    EXPECT_EQ(card.text, "00 OK");
    EXPECT_EQ(card.late, (LateMessage{5000, approvalOf(1, 1, 500)}));
    EXPECT_EQ(card.paper, QStringList({"ΠΛΗΡΩΜΗ 2                           5,00", QString(40, QLatin1Char('='))}));
    EXPECT_EQ(model.handle("KXSTAT").text, "STAT:0");

    // The rest of the next receipt, without an amount: the verdict names
    // what was due.
    accept({"KX250R1ΚΑΦΕΣ"});
    EXPECT_EQ(model.handle("KXT2P1").late, (LateMessage{5000, approvalOf(1, 2, 250)}));
}

TEST_F(CardTerminals, FailedPaymentsLeaveTheReceiptOpen)
{
    model.attachTerminal(2, {{Kind::Decline, "05", 1000}, {Kind::NoContact, {}, 200}, {Kind::Silent, {}, 0}});
    accept({"KX1000R1ΚΑΦΕΣ"});
    const struct {
        const char *command;
        std::optional<LateMessage> late;
    } tries[] = {
        {"KX1000T2P2", LateMessage{1000, "358ER:05"}},
        {"KXT2P2", LateMessage{200, "CntFail"}},
        {"KX1000T2P2", std::nullopt},
        {"KX1000T2P2", std::nullopt}, // the last verdict repeats
        {"KX1000T2P7", LateMessage{500, "358ER:ECR INACTIVE EFTPOS"}},
    };
    for (const auto &t : tries) {
        const Reply reply = model.handle(t.command);
        EXPECT_EQ(reply.text, "00 OK") << t.command;
        EXPECT_TRUE(reply.paper.isEmpty()) << t.command;
        EXPECT_EQ(reply.late, t.late) << t.command;
    }
    EXPECT_EQ(model.handle("KXSTAT").text, "STAT:1");
}

TEST_F(CardTerminals, CardCommandsOutOfTurnAreRefusedAtOnce)
{
    model.attachTerminal(1, {{Kind::Approve, {}, 0}});
    EXPECT_EQ(model.handle("KX500T2P1").text, "DE0006") << "no receipt open";
    accept({"KX1000R1ΚΑΦΕΣ"});
    EXPECT_EQ(model.handle("KX0T2P1").text, "DE1011") << "nothing paid while something is due";
    EXPECT_EQ(model.handle("KX500T2P123").text, "DE0006") << "terminal numbers have two digits";
}

TEST(CardTerminalResponder, TheVerdictFollowsTheReplyInItsOwnFrameAndPieces)
{
    RegisterModel model{QStringLiteral("MEROVAN-SIM 1.0")};
    model.attachTerminal(1, {{Kind::Decline, "05", 3000}});
    SimOptions options;
    options.split = true;
    Responder responder(options, model);
    responder.respond("KX100R1Α");
    EXPECT_EQ(responder.respond("KX100T2P1").pieces, Pieces({{0, "00 "},
                                                              {Responder::kSplitGapMs, "OK\r\x04"},
                                                              {3000, "358ER"},
                                                              {Responder::kSplitGapMs, ":05\r\x04"}}));
}

TEST(CardTerminalOptions, TerminalsStatusErrorAndOperatorSwitches)
{
    const ParsedOptions parsed = parseSimOptions({"--udp", "127.0.0.2:5012", "--eft", "1=approve:5000", "--eft",
                                                  "2=decline:05:1000,approve", "--status-error", "1038",
                                                  "--operator", "3=CLEAR", "--operator", "5=KXT1"});
    ASSERT_EQ(parsed.error, "");
    const SimOptions &o = parsed.options;
    EXPECT_EQ(o.terminals.value(1), (std::vector<TerminalVerdict>{{Kind::Approve, {}, 5000}}));
    EXPECT_EQ(o.terminals.value(2),
              (std::vector<TerminalVerdict>{{Kind::Decline, "05", 1000}, {Kind::Approve, {}, 1000}}));
    EXPECT_EQ(o.statusError, 1038);
    ASSERT_EQ(o.operatorActions.size(), 2u);
    EXPECT_EQ(o.operatorActions[0].afterStatusQueries, 3);
    EXPECT_EQ(o.operatorActions[0].keys, "CLEAR");
    EXPECT_EQ(o.operatorActions[1].keys, "KXT1");

    for (const char *bad : {"--eft 1=perhaps", "--eft 123=approve", "--eft approve", "--operator KXT1",
                            "--operator 2=", "--status-error x"}) {
        QStringList arguments{"--udp", "127.0.0.2:5012"};
        arguments += QString::fromUtf8(bad).split(QLatin1Char(' '));
        EXPECT_NE(parseSimOptions(arguments).error, "") << bad;
    }
}

} // namespace
} // namespace merovan::sim
