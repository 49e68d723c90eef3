#include "settings/settings_form.h"

#include "fake_clock.h"
#include "greek/cp1253.h"
#include "qt_printers.h"
#include "recording_operator.h"
#include "settings_files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

using Check = SettingsForm::Check;
using test::readFile;
using test::vatBytes;
using test::writeFile;

// A param.ini as an operator would type it by hand: every key, each value
// different from the defaults, and one line ending in LF alone.
const QByteArray kHandWritten = "# hand-written\r\n[port] com2\r\n[baud] 19200\n[file] print.1\r\n[code] no\r\n"
                                "[ecrt] pos21\r\n[multi type] true\r\n[time] 0\r\n[print_desc] true\r\n"
                                "[print_code] true A\r\n[comments] false\r\n[currency]=1\r\n[keyb_off]=true \r\n"
                                "[dir_depa]=false\r\n[quantity]=true\r\n[AutoStar]=yes\r\n"
                                "[location] C:\\\xc5\xf1\xe3\xe1\xf3\xdf\xe5\xf2\\\r\n"; // C:\Εργασίες\ in 1253

// The controls as text; the ticks are the boxes in the order of Check, from
// multi_print to ChkAuto.
QString shown(const SettingsForm &form)
{
    const ParamFileValues &v = form.values();
    QString text = QStringLiteral("%1|%2|%3|%4|%5|").arg(v.port, v.baud, v.file, v.model, v.location);
    text += QString::number(v.currency) + QLatin1Char('|');
    for (int box = 0; box <= int(Check::AutoStart); ++box)
        text += form.isChecked(Check(box)) ? QLatin1Char('+') : QLatin1Char('-');
    return text + QLatin1Char('|') + form.vatBoxes().join(QLatin1Char(' '));
}

class SettingsFormTest : public ::testing::Test {
protected:
    SettingsFormTest()
    {
        QObject::connect(&form, &SettingsForm::opened, [this] { events << QStringLiteral("opened"); });
        QObject::connect(&form, &SettingsForm::closed, [this] { events << QStringLiteral("closed"); });
        QObject::connect(&form, &SettingsForm::saved, [this] { events << QStringLiteral("saved"); });
    }

    QTemporaryDir dir;
    QString paramPath = dir.filePath(QStringLiteral("param.ini"));
    QString vatPath = dir.filePath(QStringLiteral("vats.dat"));
    test::FakeClock clock;
    test::RecordingOperator op;
    SettingsForm form{op, clock, paramPath, vatPath};
    QStringList events;
};

TEST_F(SettingsFormTest, OpensOnAHandWrittenFileAndSavesTheWritersBytesOnceNoVatBoxIsEmpty)
{
    ASSERT_TRUE(writeFile(paramPath, kHandWritten));
    ASSERT_TRUE(writeFile(vatPath, vatBytes({24, 13, 6.5}))); // a short file: the rest reads as zeros
    form.open();
    EXPECT_EQ(shown(form), QStringLiteral("com2|19200|print.1|Pos21|C:\\Εργασίες\\|1|+-++--+++|24 13 6,5 0 0"));

    form.setFile(QStringLiteral("job.txt"));
    const QString typed[] = {"23.5", "13", "", "0", "17,5"};
    for (int i = 0; i < SettingsForm::kVatBoxes; ++i)
        form.setVatBox(i, typed[i]);

    EXPECT_FALSE(form.save());

    EXPECT_TRUE(readFile(paramPath).contains("[file] job.txt\r\n"));
    EXPECT_EQ(readFile(vatPath), vatBytes({24, 13, 6.5}));
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(QStringLiteral("Λάθος στίς κατηγορίες ΦΠΑ!")));
    EXPECT_EQ(form.vatBoxes().at(0), QStringLiteral("23,5")) << "boxes up to the bad one show their rewritten text";
    EXPECT_EQ(events, QStringList{QStringLiteral("opened")}) << "the window stays open";

    form.setVatBox(2, QStringLiteral("6.5"));
    // What the window shows, with the model list's "Pos21" as the writer names it.
    ParamFileValues expected = form.values();
    expected.model = QStringLiteral("Poseidon 21");
    ASSERT_TRUE(form.save());

    QByteArray expectedBytes;
    for (const QString &line : paramFileLines(expected, QDate(2026, 3, 14)))
        expectedBytes += toCp1253(line) + "\r\n";
    EXPECT_EQ(readFile(paramPath), expectedBytes);
    EXPECT_EQ(readFile(vatPath), vatBytes({23.5, 13, 6.5, 0, 17.5}));
    ASSERT_EQ(op.boxes.size(), 2u);
    EXPECT_EQ(op.boxes[1].text, fitMessageText(restartText()));
    EXPECT_EQ(op.boxes[1].caption, QStringLiteral("Merovan-Προσοχη"));
    EXPECT_EQ(op.boxes[1].style, MsgCritical | MsgSystemModal);
    EXPECT_EQ(events, (QStringList{"opened", "closed", "saved"}));
}

TEST_F(SettingsFormTest, AnUnwritableParamIniStopsTheSaveAndAnUnwritableVatFileOnlyWarns)
{
    form.close(); // not open: no report
    form.open();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("param.ini")));
    EXPECT_FALSE(form.save());

    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("param.ini")));
    ASSERT_TRUE(QFile::remove(vatPath) && QDir(dir.path()).mkdir(QStringLiteral("vats.dat")));
    EXPECT_TRUE(form.save());

    ASSERT_EQ(op.boxes.size(), 3u);
    EXPECT_EQ(op.boxes[0].text, QStringLiteral("Αδυναμία εγγραφής του param.ini!") + inFolder(paramPath));
    EXPECT_EQ(op.boxes[1].text,
              QStringLiteral("Λάθος κατά την αποθήκευση τών κατηγορίών ΦΠΑ!") + inFolder(vatPath));
    EXPECT_EQ(op.boxes[2].text, fitMessageText(restartText()));
    form.close(); // closed by the save already: no second report
    EXPECT_EQ(events, (QStringList{"opened", "closed", "saved"}));
}

TEST_F(SettingsFormTest, AnAddressHidesTheBaudBoxAndSavesPort5012UnlessItNamesItsPort)
{
    const struct { QString typed; bool baudVisible; QStringList saved; } cases[] = {
        {"192.168.1.20", false, {"[port] 192.168.1.20", "[baud] 5012"}},
        {"192.168.1.20:9100", false, {"[port] 192.168.1.20:9100", "[baud] 19200"}},
        {"COM3", true, {"[port] com3", "[baud] 19200"}},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(writeFile(paramPath, "[port] com1\r\n[baud] 19200\r\n"));
        form.open();
        form.setPort(c.typed);
        EXPECT_EQ(form.baudVisible(), c.baudVisible) << c.typed.toStdString();
        ASSERT_TRUE(form.save());
        const QStringList lines = QString::fromLatin1(readFile(paramPath)).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^\\[(port|baud)\\]"))), c.saved);
    }
}

TEST_F(SettingsFormTest, PrintCodeBoxesExcludeEachOtherOnlyWhenTicked)
{
    const struct { Check box; bool on, ascii, numeric; } steps[] = {
        {Check::ItemCodeAsText, true, true, false}, {Check::ItemCodeAsNumber, false, true, false},
        {Check::ItemCodeAsNumber, true, false, true}, {Check::ItemCodeAsText, true, true, false},
    };
    for (const auto &s : steps) {
        form.setChecked(s.box, s.on);
        EXPECT_EQ(form.isChecked(Check::ItemCodeAsText), s.ascii);
        EXPECT_EQ(form.isChecked(Check::ItemCodeAsNumber), s.numeric);
    }
}

TEST_F(SettingsFormTest, MissingLinesKeepTheDefaultsAndRestoreBringsBackTheFileButLeavesChkAuto)
{
    ASSERT_TRUE(
        writeFile(paramPath, "[port] com2\r\n[file] print.1\r\n[ecrt] mikro\r\n[comments] true\r\n[AutoStar]=no\r\n"));
    form.open();
    EXPECT_EQ(shown(form), QStringLiteral("com2|9600|print.1|MikroPos||-1|-----+---|0 0 0 0 0"));
    EXPECT_TRUE(QFile::exists(vatPath)) << "a missing vats.dat is created";

    form.setFile(QStringLiteral("other"));
    form.setChecked(Check::Comments, false);
    form.setChecked(Check::AutoStart, true);
    form.setCurrency(2);
    form.restore();

    EXPECT_EQ(shown(form), QStringLiteral("com2|0|print.1|MikroPos| |0|-----+--+|0 0 0 0 0"));

    // Saved and read back as a job tick reads it: the folder is the one
    // shown, none, not a blank before every job name.
    ASSERT_TRUE(form.save());
    ParamReading reading;
    ASSERT_TRUE(readParamFile(paramPath, ParamReader::PollingTick, reading));
    EXPECT_EQ(reading.settings.location, QString());
    EXPECT_TRUE(QString::fromLatin1(readFile(paramPath)).contains(QStringLiteral("\r\n[location] \r\n")));
}

} // namespace
} // namespace merovan
