#include "register_model.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

// Each step: a command and the register's answer to it.
struct Step {
    const char *command;
    const char *reply;
};

class TableCommands : public ::testing::Test {
protected:
    void play(std::initializer_list<Step> steps)
    {
        for (const Step &step : steps) {
            const Reply reply = model.handle(QString::fromUtf8(step.command));
            paper += reply.paper;
            EXPECT_EQ(reply.text, QString::fromUtf8(step.reply)) << step.command;
        }
    }

    RegisterModel model{QStringLiteral("MEROVAN-SIM 1.0")};
    QStringList paper;
};

TEST_F(TableCommands, ARestaurantEvening)
{
    // Table 5 gets three coffees and a toast, and is put back.
    play({{"KX?TO", "TO:0"},
          {"KX5TO,JOHN: ANNA", "00 OK"},
          {"KX?TO", "TO:5"},
          {"KXSTAT", "STAT:1"},
          {"KX3.000* ", "00 OK"},
          {"KX150R1ΚΑΦΕΣ", "00 OK"},
          {"KX400R1ΤΟΣΤ", "00 OK"},
          {"KXREP5TBL", "TBL:5:850"},
          {"KXTO", "00 OK"},
          {"KXSTAT", "STAT:0"},
          {"KX?TO", "TO:0"},
          {"KXREP5TBL", "TBL:5:850"},
          {"KXREPTBL", "TBL:5"}});
    EXPECT_EQ(paper.first(), "ΤΡΑΠΕΖΙ 5                    ,JOHN: ANNA");

    // Two coffees move to table 6.
    play({{"KXTRF", "00 OK"},
          {"KXFROM5TO6PAR", "00 OK"},
          {"KX?TO", "TO:5"},
          {"KXTRF", "00 OK"},
          {"KX2.000* ", "00 OK"},
          {"KXPA150R1ΚΑΦΕΣ", "00 OK"},
          {"KXTRFOK", "00 OK"},
          {"KXTRFNO", "00 OK"},
          {"KXTRFOK", "00 OK"},
          {"KX?TO", "TO:0"},
          {"KXREP5TBL", "TBL:5:550"},
          {"KXREP6TBL", "TBL:6:300"},
          {"KXREPTBL", "TBL:5, 6"}});

    // Table 6 pays one coffee.
    play({{"KXPPAY", "00 OK"},
          {"KXFROM6", "00 OK"},
          {"KX?TO", "TO:6"},
          {"KXPPAY", "00 OK"},
          {"KXPA150R1ΚΑΦΕΣ", "00 OK"},
          {"KXTRFOK", "00 OK"},
          {"KXTRFNO", "00 OK"},
          {"KXST", "00 OK"},
          {"KX150T1", "00 OK"},
          {"KXSTAT", "STAT:0"},
          {"KXREP6TBL", "TBL:6:150"},
          {"KXCL", "00 OK:CL:00001"},
          {"KXRE", "RE:00001:00001:00000"}});

    // Table 5 is paid whole and is gone; table 6 moves whole to 9.
    play({{"KX5TO", "00 OK"},
          {"KXST", "00 OK"},
          {"KXT1", "00 OK"},
          {"KXREP5TBL", "TBL:5:0"},
          {"KXCL", "00 OK:CL:00002"},
          {"KXTRF", "00 OK"},
          {"KXFROM6TO9", "00 OK"},
          {"KXREPTBL", "TBL:9"},
          {"KXREP9TBL", "TBL:9:150"},
          {"KX990000OTR", "00 OK"}});
    EXPECT_EQ(paper.mid(paper.size() - 4),
              QStringList({"ΑΝΑΦΟΡΑ ΤΡΑΠΕΖΙΩΝ", "ΤΡΑΠΕΖΙ 9                           1,50",
                           "ΣΥΝΟΛΟ                              1,50", QString(40, QLatin1Char('='))}));

    // An ordinary receipt after it: "KXCL" no longer names a receipt.
    play({{"KX100R1ΝΕΡΟ", "00 OK"}, {"KXT1", "00 OK"}, {"KXCL", "00 OK"}});
}

TEST_F(TableCommands, TableWorkOutOfTurnIsRefused)
{
    play({{"KXFROM5TO6", "DE0006"},    // no transfer key
          {"KXTRF", "00 OK"},
          {"KXFROM5TO6", "DE0006"},    // no table 5
          {"KXFROM5", "DE0006"},       // no partial payment key
          {"KXTRFOK", "DE0006"},
          {"KXTRFNO", "DE0006"},
          {"KXTO", "DE0006"},          // no table open
          {"KX0TO", "DE0006"},
          {"KX5TO", "00 OK"},
          {"KX5TO", "DE1038"},         // a bill is open
          {"KX100R1ΝΕΡΟ", "00 OK"},
          {"KXTRF", "DE1038"},
          {"KXPPAY", "DE1038"},
          {"KX990005OTR", "DE1038"},
          {"KXTO", "00 OK"},
          {"KXTRF", "00 OK"},
          {"KXFROM5TO5PAR", "DE0006"}, // onto itself
          {"KXTRF", "00 OK"},
          {"KXFROM5TO6PAR", "00 OK"},
          {"KXPA100R1ΝΕΡΟ", "DE0006"}, // the item's key first
          {"KXTRF", "00 OK"},
          {"KXPA200R1ΝΕΡΟ", "DE1011"}, // more than the table holds
          {"KX5TO", "DE0006"},         // in the middle of a transfer
          {"KXTRFNO", "00 OK"},
          {"KXTRFOK", "00 OK"},
          {"KXREPTBL", "TBL:5"}});
}

TEST_F(TableCommands, AnEmptyTableIsGoneWhenPutBack)
{
    play({{"KX7TO", "00 OK"}, {"KXTO", "00 OK"}, {"KXREPTBL", "TBL:"}, {"KXREP7TBL", "TBL:7:0"}});
}

TEST_F(TableCommands, CancellationsAndInvoices)
{
    play({{"KX@215T1", "DE0006"}, // no receipt issued yet
          {"KX100R1ΝΕΡΟ", "00 OK"},
          {"KX@215T1", "DE1038"},
          {"KXT1", "00 OK"},
          {"KX@215T1", "00 OK"},
          {"KX@215T1", "DE0006"}, // once
          {"KX@215T0", "DE0006"},
          {"KX42CK", "00 OK"},
          {"KX@165TINΠΕΛΑΤΗΣ ΑΕ", "00 OK"}});
    EXPECT_EQ(paper.mid(paper.size() - 4),
              QStringList({"ΑΚΥΡΩΣΗ ΑΠΟΔΕΙΞΗΣ                 #00001", QString(40, QLatin1Char('=')),
                           "ΤΙΜΟΛΟΓΙΟ                             42", "ΠΕΛΑΤΗΣ ΑΕ"}));
}

} // namespace
} // namespace merovan::sim
