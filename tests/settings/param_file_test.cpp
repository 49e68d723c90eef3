#include "settings/param_file.h"

#include "qt_printers.h"
#include "settings_files.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

ParamReading readLines(ParamReader reader, const QStringList &lines, ParamReading start = {})
{
    readParamLines(lines, reader, start);
    return start;
}

TEST(ParamFileRead, EveryReaderCutsEachKeyAtItsColumnAndLengthAndTheLastLineWins)
{
    const QString longPath = QStringLiteral("C:\\") + QString(120, QLatin1Char('p'));
    const struct { QStringList lines; QString ParamSettings::*field; QString expected; } cases[] = {
        {{"[file]_" + QString(35, QLatin1Char('f'))}, &ParamSettings::file, QString(30, QLatin1Char('f'))},
        {{"[FILE] x", "# [file] x", "[fil"}, &ParamSettings::file, ""}, // and a stale value is gone
        {{"[multi type] false"}, &ParamSettings::multiType, "fals"},
        {{"[print_code] true A", "[print_code] true Nx"}, &ParamSettings::printCode, "true N"},
        {{"[currency]=12"}, &ParamSettings::currency, "1"},
        {{"[keyb_off]=true "}, &ParamSettings::keybOff, "true"},
        {{"[location] " + longPath}, &ParamSettings::location, longPath.left(99)},
    };
    for (ParamReader reader : {ParamReader::Startup, ParamReader::PollingTick, ParamReader::SettingsWindow}) {
        for (const auto &c : cases) {
            ParamReading start;
            start.settings.file = QStringLiteral("stale");
            EXPECT_EQ(readLines(reader, c.lines, start).settings.*c.field, c.expected)
                << c.lines.join('|').toStdString();
        }
    }
}

TEST(ParamFileRead, ReadersDifferInPortBaudAndAutoStart)
{
    // expected: connection|baud|automatic start
    const struct { ParamReader reader; QStringList lines; QString expected; } cases[] = {
        {ParamReader::Startup, {"[port] COM1", "[baud] 9600"}, "COM1:9600|9600|-"},
        {ParamReader::SettingsWindow, {"[port] COM1", "[baud] 9600", "[aUtOsTaR]=yEs"}, "COM1:9600|9600|auto"},
        {ParamReader::PollingTick, {"[port] COM1", "[baud] 9600", "[AutoStar]=yes"}, "COM1|9600|-"},
        {ParamReader::Startup, {"[port]  192.168.100.201-extra"}, "192.168.100.20|old|-"},
        {ParamReader::PollingTick, {"[port]  192.168.100.201-extra"}, " 192.168.100.201-ext|old|-"},
        {ParamReader::Startup, {"[baud] 115200", "[AutoStar]=yes", "[AutoStar]=no"}, "com9:11520|11520|auto"},
        {ParamReader::PollingTick, {"[baud] 115200"}, "com9|115200|-"},
        {ParamReader::Startup, {"[baud] 9600", "[port] com2", "[AutoStar] yes"}, "com2|9600|-"},
        {ParamReader::PollingTick, {"[baud] 19200", "[Port] com1", " [baud] 4800"}, "com9|19200|-"},
    };
    for (const auto &c : cases) {
        ParamReading start;
        start.connectionText = QStringLiteral("com9");
        start.baud = QStringLiteral("old");
        const ParamReading r = readLines(c.reader, c.lines, start);
        EXPECT_EQ(QStringLiteral("%1|%2|%3").arg(r.connectionText, r.baud, r.autoStart ? "auto" : "-"), c.expected)
            << c.lines.join('|').toStdString();
    }
}

const ParamFileValues kAllOn{.port = "COM1", .baud = "9600", .file = "Print.1", .model = "MikroPos", .multi = true,
                             .printDesc = true, .printCodeAscii = true, .printCodeNumeric = true, .comments = true,
                             .currency = 2, .keybOff = true, .dirDepa = true, .quantity = true, .autoStart = true,
                             .location = "C:\\Εργασία"};
const ParamFileValues kAllOff{.port = "192.168.1.20", .baud = "5012", .file = "print.1", .model = "Other Register",
                              .location = {}};

// The bytes written over an old, longer file.
QByteArray writtenBytes(const ParamFileValues &values, const QDate &today)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("param.ini"));
    if (!test::writeFile(path, QByteArray(5000, '#')) || !writeParamFile(path, values, today))
        return {};
    return test::readFile(path);
}

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

TEST(ParamFileWrite, AllOnGivesTheseBytes)
{
    EXPECT_EQ(writtenBytes(kAllOn, QDate(2024, 3, 7)), kAllOnBytes);
}

TEST(ParamFileWrite, AllOffGivesTheAllOnBytesWithTheseLinesChanged)
{
    const std::pair<const char *, const char *> changes[] = {
        {"03-07-2024", "12-25-2023"}, {"[port] com1", "[port] 192.168.1.20"}, {"[baud] 9600", "[baud] 5012"},
        {"[file] Print.1", "[file] print.1"}, {"[ecrt] mikro\r\n", ""}, {"[multi type] true", "[multi type] false"},
        {"[print_desc] true", "[print_desc] false"}, {"[comments] true", "[comments] false"},
        {"[print_code] true A\r\n[print_code] true N", "[print_code] falseN"},
        {"[currency]=2\r\n", ""}, {"[keyb_off]=true ", "[keyb_off]=false"},
        {"[dir_depa]=true", "[dir_depa]=false"}, {"[quantity]=true", "[quantity]=false"},
        {"[AutoStar]=yes", "[AutoStar]=no"}, {"[location] C:\\\xC5\xF1\xE3\xE1\xF3\xDF\xE1", "[location] "},
    };
    QByteArray expected = kAllOnBytes;
    for (const auto &[from, to] : changes)
        expected.replace(from, to);
    EXPECT_EQ(writtenBytes(kAllOff, QDate(2023, 12, 25)), expected);
}

TEST(ParamFileWrite, ModelCodesIgnoreCaseAndEachCodeBoxWritesItsOwnLine)
{
    static const QRegularExpression choice(QStringLiteral("^\\[(ecrt|print_code|currency)\\]"));
    ParamFileValues v = kAllOff;
    v.model = QStringLiteral("POSEIDON 21");
    v.printCodeNumeric = true;
    v.currency = 0;
    EXPECT_EQ(paramFileLines(v, {}).filter(choice),
              (QStringList{"[ecrt] pos21", "[print_code] true N", "[currency]=0"}));
    v.model = QStringLiteral("TEC  Fiscal Printer");
    v.printCodeNumeric = false;
    v.printCodeAscii = true;
    v.currency = 1;
    EXPECT_EQ(paramFileLines(v, {}).filter(choice),
              (QStringList{"[ecrt] TECFP", "[print_code] true A", "[currency]=1"}));
}

} // namespace
} // namespace merovan
