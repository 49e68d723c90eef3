// The result file tells the truth, with real programs over UDP and a
// pseudo-terminal: a reply that comes late belongs to its own command, a
// stop does not give up a card terminal's verdict, and after a stop request
// nothing unanswered is sent again.
#include "printing_bridge.h"
#include "qt_printers.h"

#include <signal.h>

using namespace merovan::test;

namespace {

class TruthfulResults : public PrintingBridge, public ::testing::WithParamInterface<Link> {
protected:
    // A printing bridge, waiting for jobs.
    std::unique_ptr<Program> waitingBridge()
    {
        auto bridge = startPrintingBridge(GetParam());
        EXPECT_TRUE(bridge->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000))
            << bridge->errors().toStdString();
        return bridge;
    }
    // How often the register received the command.
    qsizetype received(const QString &command) const { return trace().count(command); }
    std::unique_ptr<Program> bridgeWaitingForACard(int ms);
};

std::string linkName(const ::testing::TestParamInfo<Link> &info) { return info.param == Link::Udp ? "udp" : "pty"; }

// The register is busy 7.6 s on the fifth item, beyond the 7-second
// deadline: the bridge sends it again and the register takes it twice.
// The late reply and the one to the copy are not taken by the items that
// follow: the refusal of the eighth item is written against the eighth.
TEST_P(TruthfulResults, ALateReplyShiftsNoLaterReply)
{
    startSimulator(GetParam(), {QStringLiteral("--busy-on"), QStringLiteral("KX100R1IT005=7600"), QStringLiteral("--error"),
                                QStringLiteral("KX100R1IT008=1038")});
    auto bridge = waitingBridge();
    dropJob(thirtyItemReceipt());
    ASSERT_TRUE(waitForCommand(QStringLiteral("KXRE")) && bridge->waitForOutput(QStringLiteral("caption: Merovan- Αναμονη"), 60000))
        << bridge->errors().toStdString();

    EXPECT_EQ(received(QStringLiteral("KX100R1IT005")), 2);
    EXPECT_EQ(received(QStringLiteral("KX100R1IT006")), 1);
    EXPECT_EQ(received(QStringLiteral("KX100R1IT008")), 1);
    const QStringList lines = result();
    const QStringList errors = lines.filter(QStringLiteral("Err"));
    ASSERT_EQ(errors.size(), 2) << lines.join(u'|').toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral(
        "Err = -96, [KX100R1IT005 sent again after no answer; the register may hold it twice] DateTime = ")));
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("Err = 1038, [KX100R1IT008] DateTime = ")));
    EXPECT_EQ(lines.filter(QStringLiteral("receipt = ")), QStringList{QStringLiteral("receipt = 00001, 00001, 00000, 0")});
    EXPECT_TRUE(bridge->errors().contains(QStringLiteral("KX100R1IT005"))) << "the operator is told";
}

// A bridge that has sent a card payment (one item, then payment type 5:
// terminal 1) to a terminal that approves it ms after the register's reply.
std::unique_ptr<Program> TruthfulResults::bridgeWaitingForACard(int ms)
{
    startSimulator(GetParam(), {QStringLiteral("--eft"), QStringLiteral("1=approve:%1").arg(ms)});
    QFile::copy(QStringLiteral(GOLDEN_DIR "/card_half_cash_half_card/payeft.dat"), path(QStringLiteral("payeft.dat")));
    auto bridge = waitingBridge();
    dropJob("tag:  CARD\r\n PLU               IT001                             1       1.00      24\r\n"
            " to    5       1.00\r\n");
    EXPECT_TRUE(waitForCommand(QStringLiteral("KX100T2P1")));
    EXPECT_TRUE(bridge->waitForOutput(QStringLiteral("status: Αναμονή απάντησης τερματικού καρτών..."), 10000));
    return bridge;
}

// A service restart during a card payment: the bridge waits for the
// terminal's verdict, writes it, and only then ends.
TEST_P(TruthfulResults, AStopDuringACardPaymentWaitsForTheVerdict)
{
    auto bridge = bridgeWaitingForACard(4000);
    bridge->signal(SIGTERM);

    EXPECT_EQ(bridge->waitForExit(60000), 0) << bridge->errors().toStdString();
    const QStringList lines = result();
    EXPECT_EQ(lines.filter(QStringLiteral("Err")), QStringList()) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("ccPay0 = ")).size(), 1) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("exitcode = 0"));
    EXPECT_TRUE(bridge->outputLines().contains(QStringLiteral(
        "status: Αναμονή απάντησης τερματικού καρτών... Τερματισμός μετά την ολοκλήρωση της τρέχουσας εργασίας...")))
        << bridge->outputLines().join(u'|').toStdString();
}

// A second stop ends the wait without the verdict: the block says that the
// verdict is unknown and the operator is told to check the terminal.
TEST_P(TruthfulResults, ASecondStopDuringACardPaymentLeavesTheVerdictUnknownAndSaysSo)
{
    auto bridge = bridgeWaitingForACard(30000);
    bridge->signal(SIGTERM);
    bridge->signal(SIGINT);

    EXPECT_EQ(bridge->waitForExit(20000), 0) << bridge->errors().toStdString();
    const QStringList lines = result();
    const QStringList errors = lines.filter(QStringLiteral("Err"));
    ASSERT_EQ(errors.size(), 2) << lines.join(u'|').toStdString();
    EXPECT_TRUE(errors[0].startsWith(
        QStringLiteral("Err = -95, [card terminal 1: verdict unknown, check the terminal] DateTime = ")));
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("Err = -97, [interrupted at line 3 of 3] DateTime = ")));
    EXPECT_EQ(lines.filter(QStringLiteral("ccPay0 = ")), QStringList());
    EXPECT_TRUE(bridge->errors().contains(QStringLiteral("τερματικού καρτών 1"))) << bridge->errors().toStdString();
    EXPECT_EQ(received(QStringLiteral("KX100T2P1")), 1) << "no second try";
}

// A stop while searching for a register that never answers: its "KXCL" is
// not sent again, and the program ends.
TEST_P(TruthfulResults, AStopDuringTheSearchSendsNothingAgain)
{
    startSimulator(GetParam(), {QStringLiteral("--silent")});
    auto bridge = startBridge();
    ASSERT_TRUE(waitForCommand(QStringLiteral("KXCL")));
    bridge->signal(SIGTERM);

    EXPECT_EQ(bridge->waitForExit(20000), 0) << bridge->errors().toStdString();
    EXPECT_EQ(trace(), QStringList{QStringLiteral("KXCL")});
}

// The register goes silent in the middle of the receipt; two stops end the
// job within the unanswered command's own deadline: it is sent once, and
// its line says that it was not answered.
TEST_P(TruthfulResults, ASecondStopWithTheRegisterGoneSendsNothingAgain)
{
    startSimulator(GetParam(), {QStringLiteral("--silent-for"), QStringLiteral("KX100R1IT006")});
    auto bridge = waitingBridge();
    dropJob(thirtyItemReceipt());
    ASSERT_TRUE(waitForItem(6));
    bridge->signal(SIGTERM);
    bridge->signal(SIGINT);

    EXPECT_EQ(bridge->waitForExit(20000), 0) << bridge->errors().toStdString();
    EXPECT_EQ(received(QStringLiteral("KX100R1IT006")), 1);
    const QStringList errors = result().filter(QStringLiteral("Err"));
    ASSERT_EQ(errors.size(), 2) << result().join(u'|').toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Err = -4, [KX100R1IT006] DateTime = ")));
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("Err = -97, [interrupted at line 7 of 32] DateTime = ")));
    EXPECT_EQ(result().last(), QStringLiteral("exitcode = 1"));
}

INSTANTIATE_TEST_SUITE_P(Links, TruthfulResults, ::testing::Values(Link::Udp, Link::Pty), linkName);

} // namespace
