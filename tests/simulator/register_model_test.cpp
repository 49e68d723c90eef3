#include "register_model.h"

#include "greek/cp1253.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

class RegisterModelTest : public ::testing::Test {
protected:
    // Sends commands that must all be accepted; returns what they printed.
    QStringList accept(const QStringList &commands)
    {
        QStringList paper;
        for (const QString &command : commands) {
            const Reply reply = model.handle(command);
            EXPECT_EQ(reply.text, "00 OK") << qPrintable(command);
            paper += reply.paper;
        }
        return paper;
    }

    QString reply(const QString &command) { return model.handle(command).text; }

    RegisterModel model{QStringLiteral("MEROVAN-SIM 1.0")};
};

TEST_F(RegisterModelTest, AnswersTheQueriesOfAFreshRegister)
{
    EXPECT_EQ(reply("KXCL"), "00 OK");
    EXPECT_EQ(reply("KXSTAT"), "STAT:0");
    EXPECT_EQ(reply("KXRE"), "RE:00000:00000:00000");
    EXPECT_EQ(reply("KXVER"), "MEROVAN-SIM 1.0");
}

TEST_F(RegisterModelTest, RefusesWhatFitsNoCommandShape)
{
    for (const char *command : {"KXFOO", "KX", "kxcl", "KXCL ", "KX150R0CAFE", "KX1234567890R1CAFE", "KX1.0000* "})
        EXPECT_EQ(reply(command), "DE0006") << command;
}

TEST_F(RegisterModelTest, ReceiptRunsFromFirstItemToFullPayment)
{
    EXPECT_EQ(accept({"KX2.000* ", "KX150R1ΚΑΦΕΣ"}),
              QStringList({"ΑΠΟΔΕΙΞΗ ΛΙΑΝΙΚΗΣ                 #00001",
                           "  2 x 1,50",
                           "ΚΑΦΕΣ                      1        3,00"}));
    EXPECT_EQ(reply("KXSTAT"), "STAT:1");

    EXPECT_EQ(accept({"KXST", "KX200T1"}),
              QStringList({"ΥΠΟΣΥΝΟΛΟ                           3,00",
                           "ΣΥΝΟΛΟ                              3,00",
                           "ΠΛΗΡΩΜΗ 1                           2,00"}));
    EXPECT_EQ(reply("KXSTAT"), "STAT:2");
    EXPECT_EQ(reply("KX100R1ΝΕΡΟ"), "DE0006");
    EXPECT_EQ(reply("KXRE"), "RE:00000:00000:00000");

    EXPECT_EQ(accept({"KX500T3"}),
              QStringList({"ΠΛΗΡΩΜΗ 3                           5,00",
                           "ΡΕΣΤΑ                               4,00",
                           "========================================"}));
    EXPECT_EQ(reply("KXSTAT"), "STAT:0");
    EXPECT_EQ(reply("KXRE"), "RE:00001:00001:00000");

    accept({"KX100R2ΝΕΡΟ", "KXT1"});
    EXPECT_EQ(reply("KXRE"), "RE:00002:00002:00000");
}

TEST_F(RegisterModelTest, ZReportIsRefusedWhileAReceiptIsOpenAndStartsANewDay)
{
    accept({"KX150R1ΚΑΦΕΣ"});
    EXPECT_EQ(reply("KX021T1"), "DE1038");
    accept({"KXT1", "KX250R2ΤΟΣΤ", "KXT2"});

    const QStringList x = accept({"KX0T1"});
    EXPECT_EQ(x.first(), "ΑΝΑΦΟΡΑ X ΟΙΚΟΝΟΜΙΚΗ");
    EXPECT_TRUE(x.contains("ΠΛΗΡΩΜΗ 2                           2,50"));
    EXPECT_EQ(reply("KXRE"), "RE:00002:00002:00000");

    const QStringList z = accept({"KX521T1"});
    EXPECT_EQ(z.first(), "ΑΝΑΦΟΡΑ Z ΠΕΡΙΟΔΟΥ                 #0001");
    EXPECT_TRUE(z.contains("ΣΥΝΟΛΟ                              4,00"));
    EXPECT_EQ(reply("KXRE"), "RE:00002:00000:00001");
    EXPECT_TRUE(accept({"KX5T1"}).contains("ΣΥΝΟΛΟ                              0,00"));
}

TEST_F(RegisterModelTest, AdjustsTheLastItemOrTheSubtotal)
{
    EXPECT_EQ(accept({"KX1000R1Α", "KX- ", "KX1000% ΠΡΟΣΦΟΡΑ"}),
              QStringList({"ΑΠΟΔΕΙΞΗ ΛΙΑΝΙΚΗΣ                 #00001",
                           "Α                          1       10,00",
                           "ΕΚΠΤΩΣΗ 10,00% ΠΡΟΣΦΟΡΑ            -1,00"}));
    EXPECT_EQ(accept({"KX50GE"}), QStringList({"ΕΠΙΒΑΡΥΝΣΗ                          0,50"}));
    accept({"KX500R2Β", "KXST", "KXST", "KX- ", "KX150GE"});
    EXPECT_EQ(accept({"KXST"}), QStringList({"ΥΠΟΣΥΝΟΛΟ                          13,00"}));
    // A discount larger than what it applies to.
    accept({"KX- "});
    EXPECT_EQ(reply("KX1301GE"), "DE1044");
}

TEST_F(RegisterModelTest, MinusKeyMakesTheNextQuantityOrItemNegative)
{
    EXPECT_TRUE(accept({"KX1000R1Α", "KX- ", "KX2.500* ", "KX200R1Β"}).contains("Β                          1       -5,00"));
    EXPECT_TRUE(accept({"KX- ", "KX100R1Γ"}).contains("Γ                          1       -1,00"));
    // KXCL forgets a pending minus key and quantity.
    EXPECT_TRUE(accept({"KX- ", "KX3.000* ", "KXCL", "KX100R1Δ"}).contains("Δ                          1        1,00"));
}

TEST_F(RegisterModelTest, ItemTextAfterALeadingBlankOrATwoDigitCategory)
{
    EXPECT_TRUE(accept({"KX150R1 2 ΑΥΓΑ"}).contains("2 ΑΥΓΑ                     1        1,50"));
    EXPECT_TRUE(accept({"KX10R13ΤΕΛΟΣ"}).contains("ΤΕΛΟΣ                     13        0,10"));
    EXPECT_TRUE(accept({"KX20R5"}).contains("ΤΜΗΜΑ 5                    5        0,20"));
}

TEST_F(RegisterModelTest, RefusesZeroQuantitiesAmountsAndPaymentsWithoutReceipt)
{
    EXPECT_EQ(reply("KX0.000* "), "DE1005");
    EXPECT_EQ(reply("KX0R1Α"), "DE1011");
    EXPECT_EQ(reply("KX100T1"), "DE0006");
    EXPECT_EQ(reply("KX- "), "00 OK");
    EXPECT_EQ(reply("KX10GE"), "DE0006");
}

TEST_F(RegisterModelTest, VoidedReceiptIsNumberedButSellsNothing)
{
    accept({"KX100R1Α"});
    EXPECT_EQ(accept({"KXVOID"}), QStringList({"ΑΚΥΡΩΣΗ ΑΠΟΔΕΙΞΗΣ", "========================================"}));
    EXPECT_EQ(reply("KXRE"), "RE:00001:00001:00000");
    EXPECT_TRUE(accept({"KX0T1"}).contains("ΣΥΝΟΛΟ                              0,00"));
    EXPECT_EQ(reply("KXVOID"), "DE0006");
}

TEST_F(RegisterModelTest, PrintsTheRegisterCharacterSetAsGreek)
{
    // ΚΑΦΕΣ as the bridge sends it: 4B 41 8B 45 66.
    const QString text = fromCp1253(QByteArray("KXCO KA\x8B" "Ef"));
    EXPECT_EQ(accept({text}), QStringList({"KAΦEΣ"}));
}

} // namespace
} // namespace merovan::sim
