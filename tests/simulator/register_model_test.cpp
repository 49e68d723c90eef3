#include "money.h"
#include "register_model.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

using Kind = TerminalVerdict::Kind;

// A command, the register's answer to it and what it sends later.
struct Step {
    const char *command;
    const char *reply = "00 OK";
    std::optional<LateMessage> late = {};
};

class RegisterModelTest : public ::testing::Test {
protected:
    void play(std::initializer_list<Step> steps)
    {
        for (const Step &step : steps) {
            const Reply reply = model.handle(QString::fromUtf8(step.command));
            EXPECT_EQ(reply.text, QString::fromUtf8(step.reply)) << step.command;
            EXPECT_EQ(reply.late, step.late) << step.command;
        }
    }

    RegisterModel model{"MEROVAN-SIM 1.0"};
};

TEST_F(RegisterModelTest, RefusesWhatFitsNoCommandShape)
{
    for (const char *command : {"KXFOO", "KX", "kxcl", "KXCL ", "KX150R0CAFE", "KX1234567890R1CAFE", "KX1.0000* "})
        EXPECT_EQ(model.handle(command).text, "DE0006") << command;
}

// Amounts are checked by what is still due: a receipt closes ("STAT:0")
// on the payment that covers it and not before.
TEST_F(RegisterModelTest, ReceiptsAndTheirCounters)
{
    play({{"KX0.000* ", "DE1005"}, {"KX0R1Α", "DE1011"}, {"KX100T1", "DE0006"}, {"KXVOID", "DE0006"},
          {"KX10GE", "DE0006"}, {"KX2.000* "}, {"KX150R1ΚΑΦΕΣ"}, {"KXSTAT", "STAT:1"}, {"KX0T1", "DE1038"},
          {"KX021T1", "DE1038"}, {"KXST"}, {"KX200T1"}, {"KXSTAT", "STAT:2"}, {"KX100R1ΝΕΡΟ", "DE0006"},
          {"KXRE", "RE:00000:00000:00000"}, {"KX99T3"}, {"KXSTAT", "STAT:2"}, {"KX500T3"}, {"KXSTAT", "STAT:0"},
          {"KXRE", "RE:00001:00001:00000"}, {"KX100R1Α"}, {"KXVOID"}, {"KXRE", "RE:00002:00002:00000"},
          {"KX250R2ΤΟΣΤ"}, {"KXT2"}, {"KX0T1"}, {"KXRE", "RE:00003:00003:00000"}, {"KX521T1"},
          {"KXRE", "RE:00003:00000:00001"}, {"KX021T1"}, {"KXRE", "RE:00003:00000:00002"}});
}

TEST_F(RegisterModelTest, AdjustmentsAndTheMinusKey)
{
    // 10,00 less 10% is 9,00; 0,50 more; 5,00 more; 1,50 off the subtotal:
    // 13,00, and no discount beyond it.
    play({{"KX1000R1Α"}, {"KX- "}, {"KX1000% ΠΡΟΣΦΟΡΑ"}, {"KX50GE"}, {"KX500R2Β"}, {"KXST"}, {"KXST"}, {"KX- "},
          {"KX150GE"}, {"KX- "}, {"KX1301GE", "DE1044"}, {"KX1299T1"}, {"KXSTAT", "STAT:2"}, {"KX1T1"},
          {"KXSTAT", "STAT:0"}});
    // 10,00 less 2,5 x 2,00, less 1,00; "KXCL" forgets a pending minus
    // key and quantity: 1,00 more.
    play({{"KX1000R1Α"}, {"KX- "}, {"KX2.500* "}, {"KX200R1Β"}, {"KX- "}, {"KX100R1Γ"}, {"KX- "}, {"KX3.000* "},
          {"KXCL"}, {"KX100R1Δ"}, {"KX499T1"}, {"KXSTAT", "STAT:2"}, {"KX1T1"}, {"KXSTAT", "STAT:0"}});
    // Nine digits of hundredths a line and a receipt: what goes beyond is
    // refused and leaves the receipt as it was.
    play({{"KX999999.999* "}, {"KX999999999R1Α", "DE1011"}, {"KXCL"}, {"KX999999999R1Α"}, {"KX1R1Β", "DE1011"},
          {"KX10000% ", "DE1011"}, {"KX1GE", "DE1011"}, {"KXST"}, {"KX- "}, {"KX10000% "}, {"KXSTAT", "STAT:1"},
          {"KXT1"}, {"KXSTAT", "STAT:0"}});
    // An item after a leading blank, a two-digit category, no text.
    play({{"KX150R1 2 ΑΥΓΑ"}, {"KX10R13ΤΕΛΟΣ"}, {"KX20R5"}, {"KX179T1"}, {"KXSTAT", "STAT:2"}, {"KX1T1"},
          {"KXSTAT", "STAT:0"}});
}

TEST(Money, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(extendedAmount(333, 1500), 500); // 499,5
    EXPECT_EQ(extendedAmount(-333, 1500), -500);
    EXPECT_EQ(extendedAmount(333, 1499), 499); // 499,167
    EXPECT_EQ(percentOf(15, 1000), 2);         // 1,5
    EXPECT_EQ(percentOf(-15, 1000), -2);
    EXPECT_EQ(percentOf(14, 1000), 1);
}

QString approvalOf(int terminal, int transaction, qint64 cents)
{
    const QString number = QString::number(terminal);
    const QString serial = QString("%1").arg(transaction, 6, 10, QLatin1Char('0'));
    return "358OK          " + number + ":SALE:" + serial + ':' + QString::number(cents) +
           ":0:0:000000:000000:SIM0000" + number + ":VISA:************000" + number + ":A" + serial + ":001:0" +
           number + serial + ":00";
}

TEST_F(RegisterModelTest, CardTerminalsGiveTheirVerdictsLater)
{
    model.attachTerminal(1, {{Kind::Approve, {}, 5000}});
    model.attachTerminal(2, {{Kind::Decline, "05", 1000}, {Kind::NoContact, {}, 200}, {Kind::Silent, {}, 0}});
    const LateMessage approved{5000, approvalOf(1, 1, 500)};
    play({{"KX500T2P1", "DE0006"}, {"KX1000R1ΚΑΦΕΣ"}, {"KX0T2P1", "DE1011"}, {"KX500T2P123", "DE0006"},
          // Failed payments leave the receipt open; the last verdict repeats.
          {"KX1000T2P2", "00 OK", LateMessage{1000, "358ER:05"}}, {"KXT2P2", "00 OK", LateMessage{200, "CntFail"}},
          {"KX1000T2P2"}, {"KX1000T2P2"}, {"KX1000T2P7", "00 OK", LateMessage{500, "358ER:ECR INACTIVE EFTPOS"}},
          {"KXSTAT", "STAT:1"}, {"KXST"}, {"KX500T1"}, {"KX500T2P1", "00 OK", approved}, {"KXSTAT", "STAT:0"},
          // Without an amount, the verdict names what was due.
          {"KX250R1ΚΑΦΕΣ"}, {"KXT2P1", "00 OK", LateMessage{5000, approvalOf(1, 2, 250)}}, {"KXSTAT", "STAT:0"}});
}

TEST_F(RegisterModelTest, ApprovalsComeIn355OkAnd356OkAsWell)
{
    model.attachTerminal(3, {{Kind::Approve, "355", 100}, {Kind::Approve, "356", 100}});
    QString first = approvalOf(3, 1, 500);
    first.replace(0, 3, "355");
    play({{"KX1000R1ΚΑΦΕΣ"}, {"KXST"}, {"KX500T2P3", "00 OK", LateMessage{100, first}},
          {"KX500T2P3", "00 OK", LateMessage{100, "356OK"}}, {"KXSTAT", "STAT:0"}});
}

// Replies carry table amounts in cents: they check the sums.
TEST_F(RegisterModelTest, ARestaurantEvening)
{
    // Table 5 gets a coffee and a toast, and is put back; the coffee moves to
    // table 6.
    play({{"KX5TO"}, {"KX150R1ΚΑΦΕΣ"}, {"KX400R1ΤΟΣΤ"}, {"KXTO"}, {"KXTRF"}, {"KXFROM5TO6PAR"}, {"KXTRF"},
          {"KXPA150R1ΚΑΦΕΣ"}, {"KXTRFOK"}, {"KXTRFNO"}, {"KXTRFOK"}, {"KXREP5TBL", "TBL:5:400"},
          {"KXREP6TBL", "TBL:6:150"}});
    // Table 5 is paid whole and is gone; table 6 moves whole to 9.
    play({{"KX5TO"}, {"KXST"}, {"KXT1"}, {"KXREP5TBL", "TBL:5:0"}, {"KXCL", "00 OK:CL:00001"}, {"KXTRF"},
          {"KXFROM6TO9"}, {"KXREPTBL", "TBL:9"}, {"KXREP9TBL", "TBL:9:150"}, {"KX990000OTR"}});
    // An empty table is gone when put back; an ordinary receipt after it:
    // "KXCL" no longer names a receipt.
    play({{"KX7TO"}, {"KXTO"}, {"KXREPTBL", "TBL:9"}, {"KXREP7TBL", "TBL:7:0"}, {"KX100R1ΝΕΡΟ"}, {"KXT1"},
          {"KXCL"}});
}

TEST_F(RegisterModelTest, TableWorkOutOfTurnIsRefused)
{
    // Refused: a move without the transfer key or of no table, a part bill
    // without its key, a confirmation with nothing to confirm, no table to
    // put back, table 0; a table or table work while a bill is open.
    play({{"KXFROM5TO6", "DE0006"}, {"KXTRF"}, {"KXFROM5TO6", "DE0006"}, {"KXFROM5", "DE0006"},
          {"KXTRFOK", "DE0006"}, {"KXTRFNO", "DE0006"}, {"KXTO", "DE0006"}, {"KX0TO", "DE0006"}, {"KX5TO"},
          {"KX5TO", "DE1038"}, {"KX100R1ΝΕΡΟ"}, {"KXTRF", "DE1038"}, {"KXPPAY", "DE1038"}, {"KX990005OTR", "DE1038"},
          {"KXTO"}});
    // Refused in a transfer: a table onto itself, an item before its key, more
    // than the table holds, opening a table.
    play({{"KXTRF"}, {"KXFROM5TO5PAR", "DE0006"}, {"KXTRF"}, {"KXFROM5TO6PAR"}, {"KXPA100R1ΝΕΡΟ", "DE0006"},
          {"KXTRF"}, {"KXPA200R1ΝΕΡΟ", "DE1011"}, {"KX5TO", "DE0006"}, {"KXTRFNO"}, {"KXTRFOK"},
          {"KXREPTBL", "TBL:5"}});
}

TEST_F(RegisterModelTest, CancellationsAndInvoices)
{
    play({{"KX@215T1", "DE0006"}, // no receipt issued yet
          {"KX100R1ΝΕΡΟ"}, {"KX@215T1", "DE1038"}, {"KXT1"}, {"KX@215T1"},
          {"KX@215T1", "DE0006"}, // once
          {"KX@215T0", "DE0006"}, {"KX42CK"}, {"KX@165TINΠΕΛΑΤΗΣ ΑΕ"}, {"KXRE", "RE:00001:00001:00000"}});
}

} // namespace
} // namespace merovan::sim
