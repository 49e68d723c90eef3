#include "scripted_register.h"

#include <QDir>
#include <QFile>

using namespace merovan;
using namespace merovan::test;

namespace {

// A "PLU" line in its columns: code 6-19, description 20-43, quantity
// 48-54, price 57-65, rate 69-73; the department 74-76 follows.
QString plu(const QString &description, const QString &quantity, const QString &price, const QString &rate = "24",
            const QString &code = {})
{
    return " PLU " + code.leftJustified(14) + description.leftJustified(24) + "    " + quantity.rightJustified(7) +
           "  " + price.rightJustified(9) + "   " + rate.rightJustified(5);
}

// A "mod" line: value 7-15, text 17-40.
QString mod(const QString &value, const QString &text = {}) { return " mod  " + value.leftJustified(10) + text; }

class SaleLines : public ScriptedRegister {};

TEST_F(SaleLines, LinesBecomeTheRegistersKeystrokes)
{
    const QString marker = fromCp1253("\x88\x8A\x66\x4D"); // Λ Π Σ Μ in the register's set
    const JobCase cases[] = {
        {"fractional quantity", {plu("CAFE", "0.5", "2")}, {"KX0.5* ", "KX200R1CAFE"}},
        {"negative quantity", {plu("CAFE", "-2", "1.50")}, {"KX- ", "KX2.000* ", "KX150R1CAFE"}},
        {"both negative", {plu("CAFE", "-2", "-1.50")}, {"KX- ", "KX2.000* ", "KX150R1CAFE"}},
        {"line ending in six price blanks", {plu("CAFE", "1", {}).left(62)}, {"KX100R4CAFE"}},
        {"quantity not a number", {plu("CAFE", "x", "1.50")}, {}},
        {"marker with its category", {plu("BAG ΛΠΣΜ-13", "1", "1.50")}, {"KX150R13BAG " + marker + "-13"}},
        {"marker alone", {plu("BAG ΛΠΣΜ", "1", "1.50")}, {"KX150R8BAG " + marker}},
        {"marker with a Latin M", {plu("BAG ΛΠΣM-05", "1", "1.50")}, {"KX150R5BAG " + marker + "-05"}},
        {"marker from a DOS line", {plu("BAG " + fromCp1253("\x8A\x8F\x91\x8B"), "1", "1.50")},
         {"KX150R8BAG " + marker}},
        {"department", {plu("CAFE", "1", "1.50", "99") + "12"}, {"KX150R12CAFE"}, {}, {},
         setting(&ParamSettings::directDepartment, SettingSwitch::On)},
        {"code printed after", {plu("CAFE", "2", "1.50", "24", "77")}, {"KX150R1" + QString("CAFE").leftJustified(24),
         "KX77AC"}, {}, {}, setting(&ParamSettings::itemCode, ItemCodePrinting::AsNumber)},
        {"keyboard off", {plu("CAFE", "1", "-1.50")}, {"KX- ", "KX1PL", "KX150AC" + QString("CAFE").leftJustified(24)},
         {}, {}, setting(&ParamSettings::keyboardLocked, SettingSwitch::On)},
        {"pos21 quantity in text", {plu("CAFE", "2", "1.50"), plu("CAFE", "1.5", "1.50")},
         {"KX2.000* ", "KX150R1 2* CAFE", "KX1.5* ", "KX150R1 1,500* CAFE"}, {}, {},
         [](ParamSettings &s) {
             s.quantityInDescription = SettingSwitch::On;
             s.registerType = RegisterType::Poseidon21;
         }},
        {"subtotal surcharge", {" dis  -1.50"}, {"KXST", "KX150GE"}},
        {"item adjustments", {mod("-10.00%", "promo"), mod("5%"), mod("-2.00", "x"), mod("2,00")},
         {"KX- ", "KX1000% PROMO", "KX5% ", "KX- ", "KX200GEX", "KX200GE"}},
        {"zero adjustments", {mod("0.00"), mod("-0%"), mod("1O%")}, {}},
        {"comments", {" com  hello", " frt"}, {"KXCO HELLO", "KXCO ", "KXCO ", "KXCO "}},
        {"comments off", {" com  hello", " frt", " foo  thanks"}, {}, {}, {},
         setting(&ParamSettings::comments, SettingSwitch::Off)},
        {"unknown rate", {plu("CAFE", "1", "1.50", "23")}, {}, {}, {}, {}, 0,
         QStringList{fitMessageText("Ανύπαρκτη κατηγορία ΦΠΑ ")}},
        {"refused quantity drops the item", {plu("CAFE", "2", "1.50")}, {"KX2.000* ", "KXCL"},
         {errLine(1005, "KX2.000* ")}, {{"KX2.000* ", {"DE1005"}}}, {}, 0,
         QStringList{"Λάθος ποσότητα είδους στην ταμειακή!"}},
        {"refused minus key ends the item", {plu("CAFE", "-2", "1"), plu("CAFE", "1", "-1"), plu("TEA", "1", "1")},
         {"KX- ", "KXCL", "KX- ", "KXCL", "KX100R1TEA"}, {errLine(6, "KX- "), errLine(6, "KX- ")},
         {{"KX- ", {"DE0006"}}}},
        // A price that is not a number reaches the register as written, which
        // refuses it: never an item at 0,00.
        {"price not a number", {plu("CAFE", "1", "abc")}, {"KXabc00R1CAFE", "KXCL"}, {errLine(1, "KXabc00R1CAFE")},
         {{"KXabc00R1CAFE", {"DE0001"}}}},
        {"price with a currency", {plu("CAFE", "1", "12.50EUR")}, {"KX1250EURR1CAFE", "KXCL"},
         {errLine(1, "KX1250EURR1CAFE")}, {{"KX1250EURR1CAFE", {"DE0001"}}}},
        {"numbers whatever the locale's separator", {plu("CAFE", "2,5", "0,29"), plu("CAFE", "2", "1.50")},
         {"KX2.5* ", "KX29R1CAFE", "KX2.000* ", "KX150R1CAFE"}, {}, {},
         [this](ParamSettings &) { clock.separator = '.'; }},
    };
    for (const JobCase &c : cases)
        check(c);
}

TEST_F(SaleLines, WithoutVatsDatTheMessageNamesTheFileAndItsFolder)
{
    ASSERT_TRUE(QFile::remove("vats.dat"));
    check({"no vats.dat", {plu("CAFE", "1", "1.50")}, {}, {}, {}, {}, 0,
           QStringList{"Ανύπαρκτη κατηγορία ΦΠΑ - αδυναμία ανάγνωσης: vats.dat στον φάκελο " + QDir::currentPath()}});
}

} // namespace
