#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

QString q(const char *text) { return QString::fromUtf8(text); }

class Payments : public ScriptedRegister {};

struct CurrencyCase {
    const char *name;
    const char *currency;
    QStringList lines;
    QStringList expected; // between the opening "KXCL"s and the closing queries
};

TEST_F(Payments, CurrencySettingAndSubtotalDecideWhatIsPaid)
{
    const CurrencyCase cases[] = {
        {"plain payment", "0", {toLine(q("1"), q("10.00"))}, {q("KXSTAT"), q("KXST"), q("KX1000T1")}},
        {"comma decimals", "0", {toLine(q("1"), q("10,00"))}, {q("KXSTAT"), q("KXST"), q("KX1000T1")}},
        {"one decimal is tenths of the digits", "0", {toLine(q("1"), q("12.5"))}, {q("KXSTAT"), q("KXST"), q("KX125T1")}},
        {"zero amount", "0", {jobLine(q("sut"), {{7, q("0.00")}}), toLine(q("1"), q("0.00"))}, {}},
        {"type not a number", "0", {toLine(q("x"), q("10.00"))}, {}},
        {"amount not a number", "0", {toLine(q("1"), q("ten"))}, {}},
        {"setting 1 overrides the type", "1", {toLine(q("3"), q("5.00"))}, {q("KXSTAT"), q("KXST"), q("KX500T1")}},
        {"setting 3 overrides the type", "3", {toLine(q("1"), q("5.00"))}, {q("KXSTAT"), q("KXST"), q("KX500T3")}},
        {"setting 2 pays the rest once", "2", {toLine(q("1"), q("5.00")), toLine(q("1"), q("5.00")), jobLine(q("ver"))},
         {q("KXSTAT"), q("KXST"), q("KXT2"), q("KXSTAT"), q("KXVER")}},
        {"setting 2 after a zero subtotal", "2", {jobLine(q("sut"), {{7, q("0.00")}}), toLine(q("1"), q("5.00"))},
         {q("KXSTAT"), q("KXST"), q("KXT2")}},
        {"setting 2 after a subtotal", "2", {jobLine(q("sut"), {{7, q("12.50")}}), toLine(q("1"), q("5.00"))}, {}},
        {"setting 2 after a subtotal not a number", "2", {jobLine(q("sut"), {{7, q("abc")}}), toLine(q("1"), q("5"))},
         {}},
    };
    for (const CurrencyCase &c : cases) {
        ParamSettings settings = defaultSettings();
        settings.currency = q(c.currency);
        run(c.lines, settings);
        EXPECT_EQ(body(), c.expected) << c.name;
    }
}

TEST_F(Payments, PlainPaymentsGiveTheRegisterThreeSecondsMore)
{
    // Silent for 7 + 3 seconds less a little: still answered in time.
    registerScript = [this](const QString &command, FakeTransport &reg) {
        commands << command;
        reg.arrive(command == q("KX1000T1") ? 9900 : 5, reply(replyTo(command)));
    };
    run({toLine(q("1"), q("10.00"))});
    EXPECT_EQ(body(), (QStringList{q("KXSTAT"), q("KXST"), q("KX1000T1")}));
    EXPECT_FALSE(maskedResult().join(q("\n")).contains(q("Err = "))) << maskedResult().join(q("\n")).toStdString();
}

TEST_F(Payments, PayeftFileMissingShortOrReadOnlyLeavesAPlainPayment)
{
    run({toLine(q("3"), q("5.00"))});
    EXPECT_EQ(body(), (QStringList{q("KXSTAT"), q("KXST"), q("KX500T3")})) << "missing file";
    EXPECT_TRUE(op.boxes.empty());

    savePaymentType(cardType(1, 2, 1));
    run({toLine(q("3"), q("5.00"))});
    EXPECT_EQ(body(), (QStringList{q("KXSTAT"), q("KXST"), q("KX500T3")})) << "type beyond the file's end";
    EXPECT_TRUE(op.boxes.empty());

    savePaymentType(cardType(3, 2, 1));
    QFile::setPermissions(q("payeft.dat"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    run({toLine(q("3"), q("5.00"))});
    EXPECT_EQ(body(), (QStringList{q("KXSTAT"), q("KXST"), q("KX500T3")})) << "read-only file";
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(q("Αδυναμία ανάγνωσης παραμέτρων πληρωμών")));
}

TEST_F(Payments, CanWithAnOpenReceiptEndsTheJobAtOnce)
{
    statuses = {q("1")};
    run({jobLine(q("can"), {{7, q("12")}}), jobLine(q("voi"))});
    EXPECT_EQ(commands.mid(2), (QStringList{q("KXSTAT"), q("KXSTAT"), q("KXRE")})) << "the line's query, the job's end";
    const QStringList result = maskedResult();
    ASSERT_GE(result.size(), 4);
    EXPECT_EQ(result[2], q("Err = --can, [cannot cancel, receipt is open] DateTime = <time>"));
    EXPECT_EQ(result[3], q("DateTime end = <time>"));
    EXPECT_EQ(result.last(), q("exitcode = 0"));
}

TEST_F(Payments, CanCancelsByNumberAndRemembersItWithinTheJob)
{
    run({jobLine(q("can")), jobLine(q("can"), {{7, q("  12")}}), jobLine(q("can"), {{7, q("x")}}),
         jobLine(q("voi"))});
    EXPECT_EQ(body(), (QStringList{q("KXSTAT"), q("KX@215T0"), q("KXCL"), q("KXSTAT"), q("KX@215T12"), q("KXCL"),
                                   q("KXSTAT"), q("KX@215T12"), q("KXCL"), q("KXVOID"), q("KXCL")}));
}

TEST_F(Payments, PayActsOnlyOnAnOpenReceipt)
{
    const struct {
        const char *name;
        QStringList statuses;
        QString line;
        QStringList expected;
    } cases[] = {
        {"no receipt open", {q("0")}, jobLine(q("pay"), {{7, q("01")}}), {q("KXSTAT")}},
        {"an error is no receipt", {q("1038")}, jobLine(q("PAY"), {{7, q("01")}}), {q("KXSTAT")}},
        {"receipt open", {q("1")}, jobLine(q("pay"), {{7, q("01")}}),
         {q("KXSTAT"), q("KXSTAT"), q("KXST"), q("KXT1"), q("KXSTAT")}},
        {"payment taken", {q("2")}, jobLine(q("Pay"), {{7, q(" 4")}}),
         {q("KXSTAT"), q("KXSTAT"), q("KXST"), q("KXT4"), q("KXSTAT")}},
        {"type not a number", {q("1")}, jobLine(q("pay"), {{7, q("x")}}), {q("KXSTAT"), q("KXSTAT")}},
    };
    for (const auto &c : cases) {
        statuses = c.statuses;
        statuses << q("0");
        op.boxes.clear();
        run({c.line});
        EXPECT_EQ(commands.mid(2, c.expected.size()), c.expected) << c.name;
    }
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(q("Λάθος Αριθμός πληρωμής στο αρχείο!")));
    EXPECT_EQ(op.boxes[0].style, MsgInformation | MsgSystemModal);
}

TEST_F(Payments, PartialPaymentEndsTheItemSelectionOnceAndLastsWhileTheReceiptIsOpen)
{
    savePaymentType(cardType(5, 2, 1));
    for (int i = 0; i < 3; ++i)
        verdict(q("KX500T2P1"), {{3000, reply(approval(q("500")))}});
    statuses = {q("0"), q("2"), q("2"), q("2"), q("0")};
    run({jobLine(q("TBS"), {{7, q("6")}}), toLine(q("5"), q("5.00")), toLine(q("5"), q("5.00")),
         toLine(q("5"), q("5.00"))});
    // A card payment takes the subtotal first only outside a partial payment.
    EXPECT_EQ(body(), (QStringList{q("KXSTAT"), q("KXPPAY"), q("KXFROM6"),           //
                                   q("KXSTAT"), q("KXTRFNO"), q("KX500T2P1"), q("KXSTAT"), // still open
                                   q("KXSTAT"), q("KX500T2P1"), q("KXSTAT"),               // closed
                                   q("KXSTAT"), q("KXST"), q("KX500T2P1")}));
}

} // namespace
