#include "settings/param_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

constexpr ParamReader kAllReaders[] = {ParamReader::Startup, ParamReader::PollingTick,
                                       ParamReader::SettingsWindow};

ParamReading readLines(ParamReader reader, const QStringList &lines, ParamReading start = {})
{
    readParamLines(lines, reader, start);
    return start;
}

TEST(ParamFileRead, CutsEveryKeyAtItsColumnAndLength)
{
    const QString longPath = QStringLiteral("C:\\") + QString(120, QLatin1Char('p'));
    const struct {
        QString line;
        QString ParamSettings::*field;
        QString expected;
    } cases[] = {
        {QStringLiteral("[file] print.1"), &ParamSettings::file, QStringLiteral("print.1")},
        {QStringLiteral("[file]_") + QString(35, QLatin1Char('f')), &ParamSettings::file, QString(30, QLatin1Char('f'))},
        {QStringLiteral("[file]"), &ParamSettings::file, QString()},
        {QStringLiteral("[code] nooo"), &ParamSettings::code, QStringLiteral("noo")},
        {QStringLiteral("[ecrt] TECFP2"), &ParamSettings::ecrt, QStringLiteral("TECFP")},
        {QStringLiteral("[multi type] false"), &ParamSettings::multiType, QStringLiteral("fals")},
        {QStringLiteral("[multi type] tr"), &ParamSettings::multiType, QStringLiteral("tr")},
        {QStringLiteral("[time] 0"), &ParamSettings::time, QStringLiteral("0")},
        {QStringLiteral("[time] 1234567"), &ParamSettings::time, QStringLiteral("12345")},
        {QStringLiteral("[print_desc] true"), &ParamSettings::printDesc, QStringLiteral("true")},
        {QStringLiteral("[print_code] true Ax"), &ParamSettings::printCode, QStringLiteral("true A")},
        {QStringLiteral("[print_code] falseN"), &ParamSettings::printCode, QStringLiteral("falseN")},
        {QStringLiteral("[comments] false"), &ParamSettings::comments, QStringLiteral("fals")},
        {QStringLiteral("[currency]=12"), &ParamSettings::currency, QStringLiteral("1")},
        {QStringLiteral("[currency]="), &ParamSettings::currency, QString()},
        {QStringLiteral("[keyb_off]=true "), &ParamSettings::keybOff, QStringLiteral("true")},
        {QStringLiteral("[dir_depa]=false"), &ParamSettings::dirDepa, QStringLiteral("fals")},
        {QStringLiteral("[quantity]=true"), &ParamSettings::quantity, QStringLiteral("true")},
        {QStringLiteral("[location] C:\\Εργασία "), &ParamSettings::location, QStringLiteral("C:\\Εργασία ")},
        {QStringLiteral("[location] ") + longPath, &ParamSettings::location, longPath.left(99)},
    };
    for (ParamReader reader : kAllReaders) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.line.toStdString());
            EXPECT_EQ(readLines(reader, {c.line}).settings.*c.field, c.expected);
        }
    }
}

TEST(ParamFileRead, IgnoresLinesThatDoNotStartWithAKeyExactly)
{
    ParamReading start;
    start.connectionText = QStringLiteral("com3:9600");
    start.baud = QStringLiteral("9600");
    start.settings.file = QStringLiteral("stale");
    const ParamReading after = readLines(ParamReader::Startup,
        {QStringLiteral("[Port] com1"), QStringLiteral(" [baud] 4800"), QStringLiteral("[FILE] x"),
         QStringLiteral("[fil"), QStringLiteral("# [file] x"), QString()}, start);
    EXPECT_EQ(after.connectionText, QStringLiteral("com3:9600"));
    EXPECT_EQ(after.baud, QStringLiteral("9600"));
    EXPECT_EQ(after.settings.file, QString()); // the record starts empty at each reading
}

TEST(ParamFileRead, LaterLineOfTheSameKeyWins)
{
    const ParamReading r = readLines(ParamReader::PollingTick,
        {QStringLiteral("[print_code] true A"), QStringLiteral("[print_code] true N"),
         QStringLiteral("[baud] 9600"), QStringLiteral("[baud] 4800")});
    EXPECT_EQ(r.settings.printCode, QStringLiteral("true N"));
    EXPECT_EQ(r.baud, QStringLiteral("4800"));
}

TEST(ParamFileRead, ReadersDifferInPortAndBaud)
{
    const QStringList portThenBaud = {QStringLiteral("[port] COM1"), QStringLiteral("[baud] 9600")};
    const struct {
        ParamReader reader;
        QStringList lines;
        QString connection;
        QString baud;
    } cases[] = {
        {ParamReader::Startup, portThenBaud, QStringLiteral("COM1:9600"), QStringLiteral("9600")},
        {ParamReader::SettingsWindow, portThenBaud, QStringLiteral("COM1:9600"), QStringLiteral("9600")},
        {ParamReader::PollingTick, portThenBaud, QStringLiteral("COM1"), QStringLiteral("9600")},
        {ParamReader::Startup, {QStringLiteral("[port] 192.168.100.201-extra")}, QStringLiteral("192.168.100.201"), QStringLiteral("old")},
        {ParamReader::SettingsWindow, {QStringLiteral("[port] 192.168.100.201-extra")}, QStringLiteral("192.168.100.201"), QStringLiteral("old")},
        {ParamReader::PollingTick, {QStringLiteral("[port] 192.168.100.201-extra")}, QStringLiteral("192.168.100.201-extr"), QStringLiteral("old")},
        {ParamReader::Startup, {QStringLiteral("[port]  com1  ")}, QStringLiteral("com1"), QStringLiteral("old")},
        {ParamReader::PollingTick, {QStringLiteral("[port]  com1  ")}, QStringLiteral(" com1  "), QStringLiteral("old")},
        {ParamReader::Startup, {QStringLiteral("[baud] 115200")}, QStringLiteral("com9:11520"), QStringLiteral("11520")},
        {ParamReader::PollingTick, {QStringLiteral("[baud] 115200")}, QStringLiteral("com9"), QStringLiteral("115200")},
        {ParamReader::Startup, {QStringLiteral("[baud] 9600"), QStringLiteral("[port] com2")}, QStringLiteral("com2"), QStringLiteral("9600")},
        {ParamReader::SettingsWindow, {QStringLiteral("[port]")}, QString(), QStringLiteral("old")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.lines.join(QLatin1Char('|')).toStdString());
        ParamReading start;
        start.connectionText = QStringLiteral("com9");
        start.baud = QStringLiteral("old");
        const ParamReading r = readLines(c.reader, c.lines, start);
        EXPECT_EQ(r.connectionText, c.connection);
        EXPECT_EQ(r.baud, c.baud);
    }
}

TEST(ParamFileRead, AutoStartOnlySwitchesOn)
{
    const struct {
        ParamReader reader;
        QString line;
        bool before;
        bool after;
    } cases[] = {
        {ParamReader::Startup, QStringLiteral("[AutoStar]=yes"), false, true},
        {ParamReader::Startup, QStringLiteral("[autostar]=YES"), false, true},
        {ParamReader::Startup, QStringLiteral("[AUTOSTAR]=yesterday"), false, true},
        {ParamReader::SettingsWindow, QStringLiteral("[aUtOsTaR]=yEs"), false, true},
        {ParamReader::Startup, QStringLiteral("[AutoStar]=no"), true, true},
        {ParamReader::Startup, QStringLiteral("[AutoStar]=no"), false, false},
        {ParamReader::Startup, QStringLiteral("[AutoStar] yes"), false, false},
        {ParamReader::Startup, QStringLiteral("[AutoStar]=ye"), false, false},
        {ParamReader::PollingTick, QStringLiteral("[AutoStar]=yes"), false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        ParamReading start;
        start.autoStart = c.before;
        EXPECT_EQ(readLines(c.reader, {c.line}, start).autoStart, c.after);
    }
}

TEST(ParamFileRead, FileIsWindows1253WithCrLfOrBareLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("param.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[port] COM1\r\n[baud] 9600\n[location] C:\\\xC5\xF1\xE3\xE1\xF3\xDF\xE1\r\n[file] print.1");
    file.close();

    ParamReading r;
    ASSERT_TRUE(readParamFile(path, ParamReader::Startup, r));
    EXPECT_EQ(r.connectionText, QStringLiteral("COM1:9600"));
    EXPECT_EQ(r.settings.location, QStringLiteral("C:\\Εργασία"));
    EXPECT_EQ(r.settings.file, QStringLiteral("print.1"));
}

TEST(ParamFileRead, UnreadableFileLeavesTheReadingAlone)
{
    QTemporaryDir dir;
    ParamReading r;
    r.connectionText = QStringLiteral("com1:9600");
    r.settings.file = QStringLiteral("print.1");
    for (const QString &path : {dir.filePath(QStringLiteral("missing.ini")), dir.path()}) {
        EXPECT_FALSE(readParamFile(path, ParamReader::Startup, r));
        EXPECT_EQ(r.connectionText, QStringLiteral("com1:9600"));
        EXPECT_EQ(r.settings.file, QStringLiteral("print.1"));
    }
}

} // namespace
} // namespace merovan
