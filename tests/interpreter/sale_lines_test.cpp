#include "interpreter/sale_lines.h"
#include "interpreter_fixture.h"

#include <QtEndian>

using namespace merovan;
using namespace merovan::test;

namespace {

QString q(const char *text) { return QString::fromUtf8(text); }

// A "PLU" line in its columns: code 6-19, description 20-43, quantity
// 48-54, price 57-65, rate 69-73, department 74-76.
QString plu(const QString &description, const QString &quantity, const QString &price,
            const QString &rate = q("24"), const QString &code = {}, const QString &department = {})
{
    return q(" PLU ") + code.leftJustified(14) + description.leftJustified(24) + q("    ") +
           quantity.rightJustified(7) + q("  ") + price.rightJustified(9) + q("   ") + rate.rightJustified(5) +
           department;
}

// A "mod" line: value 7-15, text 17-40.
QString mod(const QString &value, const QString &text = {}) { return q(" mod  ") + value.leftJustified(10) + text; }

QString padded(const char *text) { return q(text).leftJustified(24); }

class SaleLines : public InterpreterTest {
protected:
    SaleLines()
    {
        installSaleLines(interpreter);
        // Categories 1 to 5: 24, 13, 6, 0 and 17 percent.
        QByteArray rates;
        for (const double rate : {24.0, 13.0, 6.0, 0.0, 17.0}) {
            char bytes[8];
            qToLittleEndian(rate, bytes);
            rates.append(bytes, 8);
        }
        QFile vats(dir.filePath(q("vats.dat")));
        vats.open(QIODevice::WriteOnly);
        vats.write(rates);
    }
};

struct Case {
    const char *name;
    QStringList lines;
    QStringList expected;
    std::function<void(ParamSettings &, InterpreterState &)> setUp = [](ParamSettings &, InterpreterState &) {};
};

TEST_F(SaleLines, LinesBecomeTheRegistersKeystrokes)
{
    const auto settings = [](QString ParamSettings::*field, const char *value) {
        return [field, value](ParamSettings &s, InterpreterState &) { s.*field = q(value); };
    };
    const Case cases[] = {
        {"quantity two", {plu(q("CAFE"), q("2"), q("1.50"))}, {q("KX2.000* "), q("KX150R1CAFE")}},
        {"quantity one", {plu(q("CAFE"), q("1"), q("1,50"))}, {q("KX150R1CAFE")}},
        {"fractional quantity", {plu(q("CAFE"), q("0.5"), q("2"))}, {q("KX0.5* "), q("KX200R1CAFE")}},
        {"text led by a digit", {plu(q("2 EGGS"), q("1"), q("1.50"))}, {q("KX150R1 2 EGGS")}},
        {"negative price", {plu(q("CAFE"), q("1"), q("-1.50"))}, {q("KX- "), q("KX150R1CAFE")}},
        {"negative quantity", {plu(q("CAFE"), q("-2"), q("1.50"))}, {q("KX- "), q("KX2.000* "), q("KX150R1CAFE")}},
        {"both negative", {plu(q("CAFE"), q("-2"), q("-1.50"))}, {q("KX- "), q("KX2.000* "), q("KX150R1CAFE")}},
        {"line ending in six price blanks", {plu(q("CAFE"), q("1"), {}).left(62)}, {q("KX100R4CAFE")}},
        {"blank rate is zero", {plu(q("CAFE"), q("1"), q("1.50"), {})}, {q("KX150R4CAFE")}},
        {"quantity not a number", {plu(q("CAFE"), q("x"), q("1.50"))}, {}},
        {"department", {plu(q("CAFE"), q("1"), q("1.50"), q("99"), {}, q("12"))}, {q("KX150R12CAFE")},
         settings(&ParamSettings::dirDepa, "true")},
        {"code printed after", {plu(q("CAFE"), q("2"), q("1.50"), q("24"), q("77"))},
         {q("KX150R1") + padded("CAFE"), q("KX77AC")}, settings(&ParamSettings::printCode, "true N")},
        {"keyboard off", {plu(q("CAFE"), q("1"), q("-1.50"))}, {q("KX- "), q("KX1PL"), q("KX150AC") + padded("CAFE")},
         settings(&ParamSettings::keybOff, "true")},
        {"table transfer", {plu(q("CAFE"), q("2"), q("1.50"))},
         {q("KXTRF"), q("KX2.000* "), q("KXPA150R1CAFE"), q("KXTRFOK")},
         [](ParamSettings &, InterpreterState &s) { s.tableTransferMode = true; }},
        {"partial payment", {plu(q("CAFE"), q("1"), q("1.50"))}, {q("KXPPAY"), q("KXPA150R1CAFE"), q("KXTRFOK")},
         [](ParamSettings &, InterpreterState &s) { s.partialPaymentMode = s.tableTransferMode = true; }},
        {"pos21 quantity in text", {plu(q("CAFE"), q("2"), q("1.50")), plu(q("CAFE"), q("1.5"), q("1.50"))},
         {q("KX2.000* "), q("KX150R1 2* CAFE"), q("KX1.5* "), q("KX150R1 1,500* CAFE")},
         [](ParamSettings &s, InterpreterState &) {
             s.quantity = q("true");
             s.ecrt = q("pos21");
         }},
        {"subtotal surcharge", {q(" dis  -1.50")}, {q("KXST"), q("KX150GE")}},
        {"subtotal discount", {q(" dis  1.50")}, {q("KXST"), q("KXST"), q("KX- "), q("KX150GE")}},
        {"item adjustments", {mod(q("-10.00%"), q("promo")), mod(q("5%")), mod(q("-2.00"), q("x")), mod(q("2,00"))},
         {q("KX- "), q("KX1000% PROMO"), q("KX5% "), q("KX- "), q("KX200GEX"), q("KX200GE")}},
        {"zero adjustments", {mod(q("0.00")), mod(q("-0%")), mod(q("1O%"))}, {}},
        {"comments", {q(" com  hello"), q(" frt")}, {q("KXCO HELLO"), q("KXCO "), q("KXCO "), q("KXCO ")}},
        {"comments off", {q(" com  hello"), q(" frt"), q(" foo  thanks")}, {},
         settings(&ParamSettings::comments, "fals")},
        {"mixed case", {q(" Dis  1.50"), q(" Mod  5%")}, {}},
    };
    for (const Case &c : cases) {
        ParamSettings s = defaultSettings();
        c.setUp(s, interpreter.state);
        run(c.lines, s);
        EXPECT_EQ(body(), c.expected) << c.name;
    }
}

TEST_F(SaleLines, EnvironmentalFeeMarkerGivesTheCategory)
{
    // Λ Π Σ Μ in the register's set; the DOS line carries code page 737.
    const QByteArray marker("\x88\x8A\x66\x4D");
    const struct {
        QString description;
        QByteArray item;
    } cases[] = {
        {q("BAG ΛΠΣΜ-13"), "KX150R13BAG " + marker + "-13"},
        {q("BAG ΛΠΣΜ"), "KX150R8BAG " + marker},
        {q("BAG ΛΠΣM-05"), "KX150R5BAG " + marker + "-05"},
        {q("BAG ") + fromCp1253("\x8A\x8F\x91\x8B"), "KX150R8BAG " + marker},
    };
    for (const auto &c : cases) {
        run({plu(c.description, q("1"), q("1.50"))});
        ASSERT_EQ(body().size(), 1);
        EXPECT_EQ(toCp1253(body().first()), c.item) << c.description.toStdString();
    }
}

TEST_F(SaleLines, GreekTextReachesTheRegisterInItsOwnSet)
{
    run({plu(q("καφές"), q("1"), q("1.50")), q(" com  καφές")});
    EXPECT_EQ(toCp1253(body().join(q("|"))), QByteArray("KX150R1\x4B\x41\x8B\x45\x66|KXCO \x4B\x41\x8B\x45\x66"));
}

TEST_F(SaleLines, NumbersDoNotDependOnTheLocalesSeparator)
{
    clock.separator = QLatin1Char('.');
    run({plu(q("CAFE"), q("2,5"), q("0,29")), plu(q("CAFE"), q("2"), q("1.50"))});
    EXPECT_EQ(body(), (QStringList{q("KX2.5* "), q("KX29R1CAFE"), q("KX2.000* "), q("KX150R1CAFE")}));
}

TEST_F(SaleLines, UnknownRateIsReportedAndNotSent)
{
    run({plu(q("CAFE"), q("1"), q("1.50"), q("23"))});
    EXPECT_TRUE(body().isEmpty());
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(q("Ανύπαρκτη κατηγορία ΦΠΑ ")));
    EXPECT_EQ(op.boxes[0].style, MsgExclamation | MsgSystemModal);
}

TEST_F(SaleLines, RefusedQuantityDropsTheItemWithAMessage)
{
    answer = [](const QString &command) { return command.startsWith(q("KX2.")) ? q("DE1005") : q("00 OK"); };
    run({plu(q("CAFE"), q("2"), q("1.50"))});
    EXPECT_EQ(body(), (QStringList{q("KX2.000* "), q("KXCL")}));
    ASSERT_EQ(op.boxes.size(), 1u) << "the quantity command is silent";
    EXPECT_EQ(op.boxes[0].text, q("Λάθος ποσότητα είδους στην ταμειακή!"));
    EXPECT_EQ(op.boxes[0].style, MsgExclamation);
}

TEST_F(SaleLines, RefusedMinusKeyEndsTheItem)
{
    answer = [](const QString &command) { return command == q("KX- ") ? q("DE0006") : q("00 OK"); };
    run({plu(q("CAFE"), q("-2"), q("1.50")), plu(q("CAFE"), q("1"), q("-1.50")), plu(q("TEA"), q("1"), q("1"))});
    EXPECT_EQ(body(), (QStringList{q("KX- "), q("KXCL"), q("KX- "), q("KXCL"), q("KX100R1TEA")}));
}

TEST_F(SaleLines, FooterIsPrintedAfterTheReceiptCounters)
{
    const QString text = q("THANK YOU FOR SHOPPING WITH US, SEE YOU AGAIN VERY SOON!!!!!");
    ASSERT_EQ(text.size(), 60);
    run({q(" foo  ") + text, q(" com  after")});
    QStringList expected{q("KXCO AFTER"), q("KXSTAT"), q("KXRE"), q("KXCO ") + QString(28, QLatin1Char('-'))};
    for (const QString &entry : {text.mid(0, 28), text.mid(28, 28), text.mid(56)})
        expected << q("KXCO ") + entry + q("\r\n");
    for (int i = 0; i < 5; ++i)
        expected << q("KXCO ");
    EXPECT_EQ(body(), expected);
    EXPECT_FALSE(interpreter.state.footerPending);
}

} // namespace
