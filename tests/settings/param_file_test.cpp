#include "settings/param_file.h"

#include "qt_printers.h"
#include "settings_files.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(ParamFileRead, EveryReaderCutsEachKeyAtItsColumnAndLengthAndTheLastLineWins)
{
    using Check = bool (*)(const ParamSettings &);
    const struct { QStringList lines; Check holds; } cases[] = {
        {{"[file]_" + QString(35, QLatin1Char('f'))}, [](const ParamSettings &s) { return s.file == QString(30, 'f'); }},
        // and a stale value is gone
        {{"[FILE] x", "# [file] x", "[fil"}, [](const ParamSettings &s) { return s.file.isEmpty(); }},
        {{"[multi type] false"}, [](const ParamSettings &s) { return s.multiFile == SettingSwitch::Off; }},
        {{"[print_code] true A", "[print_code] true Nx"},
         [](const ParamSettings &s) { return s.itemCode == ItemCodePrinting::AsNumber; }},
        {{"[currency]=12"}, [](const ParamSettings &s) { return s.currency == CurrencyRule::Main; }},
        {{"[keyb_off]=true "}, [](const ParamSettings &s) { return s.keyboardLocked == SettingSwitch::On; }},
        {{"[ecrt] pos21x"}, [](const ParamSettings &s) { return s.registerType == RegisterType::Poseidon21; }},
        {{"[location] C:\\" + QString(120, 'p')},
         [](const ParamSettings &s) { return s.location == (QStringLiteral("C:\\") + QString(120, 'p')).left(99); }},
    };
    for (ParamReader reader : {ParamReader::Startup, ParamReader::PollingTick, ParamReader::SettingsWindow}) {
        for (const auto &c : cases) {
            ParamReading r;
            r.settings.file = QStringLiteral("stale");
            readParamLines(c.lines, reader, r);
            EXPECT_TRUE(c.holds(r.settings)) << c.lines.join('|').toStdString();
        }
    }
}

// Only exact words count; what a text means where it is neither on nor off
// is up to the place that reads it.
TEST(ParamFileRead, SwitchesAndChoicesAreReadFromTheirExactWords)
{
    const std::pair<const char *, SettingSwitch> switches[] = {
        {"true", SettingSwitch::On},   {"fals", SettingSwitch::Off},    {"TRUE", SettingSwitch::OnInCapitals},
        {"True", SettingSwitch::Neither}, {"yes", SettingSwitch::Neither}, {"", SettingSwitch::Neither},
    };
    for (const auto &[text, expected] : switches)
        EXPECT_EQ(settingSwitch(text), expected) << text;
    const std::pair<const char *, ItemCodePrinting> codes[] = {
        {"true N", ItemCodePrinting::AsNumber}, {"true A", ItemCodePrinting::AsText},
        {"falseN", ItemCodePrinting::None},     {"fals", ItemCodePrinting::None},
        {"true", ItemCodePrinting::Unset},      {"true n", ItemCodePrinting::Unset},
    };
    for (const auto &[text, expected] : codes)
        EXPECT_EQ(itemCodePrinting(text), expected) << text;
    const std::pair<const char *, RegisterType> types[] = {
        {"mikro", RegisterType::Mikro}, {"pos21", RegisterType::Poseidon21},
        {"MIKRO", RegisterType::Other}, {"TECFP", RegisterType::Other},
    };
    for (const auto &[text, expected] : types)
        EXPECT_EQ(registerType(text), expected) << text;
    const std::pair<const char *, CurrencyRule> rules[] = {
        {"0", CurrencyRule::AsInJob}, {"1", CurrencyRule::Main}, {"2", CurrencyRule::Secondary},
        {"3", CurrencyRule::Third},   {"4", CurrencyRule::Unset}, {"", CurrencyRule::Unset},
    };
    for (const auto &[text, expected] : rules)
        EXPECT_EQ(currencyRule(text), expected) << text;
}

TEST(ParamFileRead, ReadersDifferInPortBaudAndAutoStart)
{
    // expected: connection|baud|automatic start
    const struct { ParamReader reader; QStringList lines; QString expected; } cases[] = {
        {ParamReader::SettingsWindow, {"[port] COM1", "[baud] 9600", "[aUtOsTaR]=yEs"}, "COM1:9600|9600|auto"},
        {ParamReader::Startup, {"[port]  192.168.100.201-extra"}, "192.168.100.20|old|-"},
        {ParamReader::PollingTick, {"[port]  192.168.100.201-extra"}, " 192.168.100.201-ext|old|-"},
        {ParamReader::Startup, {"[baud] 115200", "[AutoStar]=yes", "[AutoStar]=no"}, "com9:11520|11520|auto"},
        {ParamReader::PollingTick, {"[baud] 115200", "[AutoStar]=yes"}, "com9|115200|-"},
        {ParamReader::Startup, {"[baud] 9600", "[port] com2", "[AutoStar] yes"}, "com2|9600|-"},
        {ParamReader::PollingTick, {"[baud] 19200", "[Port] com1", " [baud] 4800"}, "com9|19200|-"},
    };
    for (const auto &c : cases) {
        ParamReading r;
        r.connectionText = QStringLiteral("com9");
        r.baud = QStringLiteral("old");
        readParamLines(c.lines, c.reader, r);
        EXPECT_EQ(QStringLiteral("%1|%2|%3").arg(r.connectionText, r.baud, r.autoStart ? "auto" : "-"), c.expected)
            << c.lines.join('|').toStdString();
    }
}

const ParamFileValues kAllOn{.port = "COM1", .baud = "9600", .file = "Print.1", .model = "MikroPos",
                             .multiFile = true, .printDescription = true, .itemCodeAsText = true,
                             .itemCodeAsNumber = true, .comments = true, .currency = 2, .keyboardLocked = true,
                             .directDepartment = true, .quantityInDescription = true, .autoStart = true,
                             .location = "C:\\Εργασία"};

// Every line of the file, in order, with every switch on.
const QByteArray kAllOnBytes =
    "# Set up for merovan program\r\n"
    "Created by  Merovan on 03-07-2024\r\n"
    "# Serial port setup. This can be Com1 or Com2,Com3,Com4 \r\n"
    "[port] com1\r\n"
    "# Baud rate setup. This usually is 9600. Valid baude rates are : 19200,9600\r\n"
    "# 4800,2400,1200. It can go low as 120 but with not tested results.\r\n"
    "[baud] 9600\r\n"
    "# The file that the main application is exchanging data with quorvel.\r\n"
    "# Depending on the application this can be managed to process receipts in a row.\r\n"
    "# Setup the application to generate  \\myapp\\print.1 and merovan will\r\n"
    "# try to see if pending receipts are in files \\myapp\\print.2 ... print.10\r\n"
    "# This has also to do with [multi type] on or off\r\n"
    "[file] Print.1\r\n"
    "\r\n"
    "# yes or no Depending on type structure\r\n"
    "[code] no\r\n"
    "# Type of machine\r\n"
    "[ecrt] mikro\r\n"
    "[multi type] true\r\n"
    "[time] 0\r\n"
    "[subtotal] yes\r\n"
    "[print_desc] true\r\n"
    "[print_code] true A\r\n"
    "[print_code] true N\r\n"
    "[comments] true\r\n"
    "[currency]=2\r\n"
    "[keyb_off]=true \r\n"
    "[dir_depa]=true\r\n"
    "[quantity]=true\r\n"
    "[AutoStar]=yes\r\n"
    "################################\r\n"
    "# Customer Specific Parameters #\r\n"
    "################################\r\n"
    "[location] C:\\\xC5\xF1\xE3\xE1\xF3\xDF\xE1\r\n"
    "# End of parameter file #\r\n";

TEST(ParamFileWrite, AllOnGivesTheseBytesOverAnOldLongerFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("param.ini"));
    ASSERT_TRUE(test::writeFile(path, QByteArray(5000, '#')) && writeParamFile(path, kAllOn, QDate(2024, 3, 7)));
    EXPECT_EQ(test::readFile(path), kAllOnBytes);
}

// The lines that depend on a choice, for choices other than those above.
TEST(ParamFileWrite, ModelCodesIgnoreCaseAndEachChoiceWritesItsOwnLine)
{
    static const QRegularExpression choice(QStringLiteral("^\\[(ecrt|print_code|currency|keyb_off|AutoStar)\\]"));
    const struct { QString model; bool ascii, numeric; int currency; QStringList lines; } cases[] = {
        {"POSEIDON 21", false, true, 0, {"[ecrt] pos21", "[print_code] true N", "[currency]=0"}},
        {"TEC  Fiscal Printer", true, false, 1, {"[ecrt] TECFP", "[print_code] true A", "[currency]=1"}},
        {"Other Register", false, false, 3, {"[print_code] falseN"}}, // no [ecrt] line, no [currency] line
    };
    for (const auto &c : cases) {
        ParamFileValues v;
        v.model = c.model;
        v.itemCodeAsText = c.ascii;
        v.itemCodeAsNumber = c.numeric;
        v.currency = c.currency;
        EXPECT_EQ(paramFileLines(v, {}).filter(choice), c.lines + QStringList({"[keyb_off]=false", "[AutoStar]=no"}));
    }
}

} // namespace
} // namespace merovan
