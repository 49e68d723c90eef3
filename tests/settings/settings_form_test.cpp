#include "settings/settings_form.h"

#include "fake_clock.h"
#include "greek/cp1253.h"
#include "qt_printers.h"
#include "recording_operator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <bit>

namespace merovan {
namespace {

using Check = SettingsForm::Check;

// A param.ini as an operator would type it by hand: every key, each value
// different from the defaults.
const QByteArray kHandWritten = "# hand-written\r\n"
                                "[port] com2\r\n"
                                "[baud] 19200\r\n"
                                "[file] print.1\r\n"
                                "[code] no\r\n"
                                "[ecrt] pos21\r\n"
                                "[multi type] true\r\n"
                                "[time] 0\r\n"
                                "[print_desc] true\r\n"
                                "[print_code] true A\r\n"
                                "[comments] false\r\n"
                                "[currency]=1\r\n"
                                "[keyb_off]=true \r\n"
                                "[dir_depa]=false\r\n"
                                "[quantity]=true\r\n"
                                "[AutoStar]=yes\r\n"
                                "[location] C:\\\xc5\xf1\xe3\xe1\xf3\xdf\xe5\xf2\\\r\n"; // C:\Εργασίες\ in 1253

QByteArray rateBytes(double rate)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(std::bit_cast<quint64>(rate), bytes.data());
    return bytes;
}

// Every control as one readable line, so a failure names the control.
QStringList shown(const SettingsForm &form)
{
    const ParamFileValues &v = form.values();
    return {QStringLiteral("comtxt '%1'").arg(v.port),
            QStringLiteral("baudtxt '%1'%2").arg(v.baud, form.baudVisible() ? QString() : QStringLiteral(" hidden")),
            QStringLiteral("filetxt '%1'").arg(v.file),
            QStringLiteral("typetxt '%1'").arg(v.model),
            QStringLiteral("location '%1'").arg(v.location),
            QStringLiteral("multi_print %1").arg(form.isChecked(Check::MultiPrint)),
            QStringLiteral("dirdep %1").arg(form.isChecked(Check::DirectDepartment)),
            QStringLiteral("descreption %1").arg(form.isChecked(Check::Description)),
            QStringLiteral("print_code_ascii %1").arg(form.isChecked(Check::PrintCodeAscii)),
            QStringLiteral("print_code_numeric %1").arg(form.isChecked(Check::PrintCodeNumeric)),
            QStringLiteral("comments %1").arg(form.isChecked(Check::Comments)),
            QStringLiteral("quantity %1").arg(form.isChecked(Check::Quantity)),
            QStringLiteral("keyb_locked %1").arg(form.isChecked(Check::KeyboardLocked)),
            QStringLiteral("ChkAuto %1").arg(form.isChecked(Check::AutoStart)),
            QStringLiteral("currency %1").arg(v.currency),
            QStringLiteral("txtVatRate '%1'").arg(form.vatBoxes().join(QStringLiteral("' '")))};
}

class SettingsFormTest : public ::testing::Test {
protected:
    SettingsFormTest()
    {
        QObject::connect(&form, &SettingsForm::opened, [this] { events << QStringLiteral("opened"); });
        QObject::connect(&form, &SettingsForm::closed, [this] { events << QStringLiteral("closed"); });
        QObject::connect(&form, &SettingsForm::saved, [this] { events << QStringLiteral("saved"); });
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray read(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList paramLines() const
    {
        return fromCp1253(read(QStringLiteral("param.ini"))).split(QStringLiteral("\r\n"));
    }

    void typeVatRates(const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            form.setVatBox(i, texts[i]);
    }

    QTemporaryDir dir;
    test::FakeClock clock;
    test::RecordingOperator op;
    SettingsForm form{op, clock, dir.filePath(QStringLiteral("param.ini")), dir.filePath(QStringLiteral("vats.dat"))};
    QStringList events;
};

TEST_F(SettingsFormTest, OpensOnAHandWrittenFileShowingEveryValue)
{
    write(QStringLiteral("param.ini"), kHandWritten);
    write(QStringLiteral("vats.dat"), rateBytes(24) + rateBytes(13) + rateBytes(6.5) + rateBytes(0) + rateBytes(17));

    form.open();

    EXPECT_EQ(shown(form), (QStringList{
                               QStringLiteral("comtxt 'com2'"),
                               QStringLiteral("baudtxt '19200'"),
                               QStringLiteral("filetxt 'print.1'"),
                               QStringLiteral("typetxt 'Pos21'"),
                               QStringLiteral("location 'C:\\Εργασίες\\'"),
                               QStringLiteral("multi_print 1"),
                               QStringLiteral("dirdep 0"),
                               QStringLiteral("descreption 1"),
                               QStringLiteral("print_code_ascii 1"),
                               QStringLiteral("print_code_numeric 0"),
                               QStringLiteral("comments 0"),
                               QStringLiteral("quantity 1"),
                               QStringLiteral("keyb_locked 1"),
                               QStringLiteral("ChkAuto 1"),
                               QStringLiteral("currency 1"),
                               QStringLiteral("txtVatRate '24' '13' '6,5' '0' '17'"),
                           }));
    EXPECT_EQ(events, QStringList{QStringLiteral("opened")});
}

TEST_F(SettingsFormTest, SaveWritesTheWritersBytesAndTheFiveRatesThenAsksForARestart)
{
    write(QStringLiteral("param.ini"), kHandWritten);
    form.open();
    typeVatRates({QStringLiteral("24"), QStringLiteral("13"), QStringLiteral("6.5"), QStringLiteral("0"),
                  QStringLiteral("17,5")});

    ASSERT_TRUE(form.save());

    ParamFileValues expected;
    expected.port = QStringLiteral("com2");
    expected.baud = QStringLiteral("19200");
    expected.file = QStringLiteral("print.1");
    expected.model = QStringLiteral("Poseidon 21");
    expected.multi = expected.printDesc = expected.printCodeAscii = true;
    expected.currency = 1;
    expected.keybOff = expected.quantity = expected.autoStart = true;
    expected.location = QStringLiteral("C:\\Εργασίες\\");
    QByteArray expectedBytes;
    for (const QString &line : paramFileLines(expected, QDate(2026, 3, 14)))
        expectedBytes += toCp1253(line) + "\r\n";
    EXPECT_EQ(read(QStringLiteral("param.ini")), expectedBytes);
    EXPECT_TRUE(paramLines().contains(QStringLiteral("[ecrt] pos21")));

    EXPECT_EQ(read(QStringLiteral("vats.dat")),
              rateBytes(24) + rateBytes(13) + rateBytes(6.5) + rateBytes(0) + rateBytes(17.5));

    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(restartText()));
    EXPECT_EQ(op.boxes[0].caption, QStringLiteral("Merovan-Προσοχη"));
    EXPECT_EQ(op.boxes[0].style, MsgCritical | MsgSystemModal);
    EXPECT_EQ(events, (QStringList{QStringLiteral("opened"), QStringLiteral("closed"), QStringLiteral("saved")}));
}

TEST_F(SettingsFormTest, AnEmptyVatBoxStopsTheSaveAfterParamIniWasWritten)
{
    write(QStringLiteral("param.ini"), "[port] com1\r\n[baud] 9600\r\n");
    const QByteArray oldRates = rateBytes(24) + rateBytes(13) + rateBytes(6) + rateBytes(0) + rateBytes(0);
    write(QStringLiteral("vats.dat"), oldRates);
    form.open();
    form.setFile(QStringLiteral("job.txt"));
    typeVatRates({QStringLiteral("23.5"), QStringLiteral("13"), QString(), QStringLiteral("4"), QStringLiteral("0")});

    EXPECT_FALSE(form.save());

    EXPECT_TRUE(paramLines().contains(QStringLiteral("[file] job.txt")));
    EXPECT_EQ(read(QStringLiteral("vats.dat")), oldRates);
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(QStringLiteral("Λάθος στίς κατηγορίες ΦΠΑ!")));
    EXPECT_EQ(op.boxes[0].caption, QStringLiteral("Merovan4_Vyd"));
    EXPECT_EQ(op.boxes[0].style, MsgExclamation | MsgSystemModal);
    EXPECT_EQ(form.vatBoxes().at(0), QStringLiteral("23,5")) << "boxes up to the bad one show their rewritten text";
    EXPECT_EQ(events, QStringList{QStringLiteral("opened")}) << "the window stays open";
}

TEST_F(SettingsFormTest, UnwritableVatFileIsReportedAndTheSaveGoesOn)
{
    write(QStringLiteral("param.ini"), "[port] com1\r\n[baud] 9600\r\n");
    form.open();
    // A folder where the file should be cannot be written.
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("vats.dat"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("vats.dat")));

    EXPECT_TRUE(form.save());

    ASSERT_EQ(op.boxes.size(), 2u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(QStringLiteral("Λάθος κατά την αποθήκευση τών κατηγορίών ΦΠΑ!")));
    EXPECT_EQ(op.boxes[1].caption, QStringLiteral("Merovan-Προσοχη"));
    EXPECT_TRUE(events.contains(QStringLiteral("saved")));
}

TEST_F(SettingsFormTest, UnwritableParamIniStopsTheSaveWithAMessage)
{
    form.open();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("param.ini")));

    EXPECT_FALSE(form.save());

    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(QStringLiteral("Αδυναμία εγγραφής του param.ini!")));
    EXPECT_FALSE(events.contains(QStringLiteral("closed")));
}

struct PortCase {
    const char *typed;
    bool baudVisible;
    const char *portLine;
    const char *baudLine;
};

class PortTyping : public SettingsFormTest, public ::testing::WithParamInterface<PortCase> {};

TEST_P(PortTyping, AnAddressHidesTheBaudBoxAndSavesPort5012)
{
    const PortCase &c = GetParam();
    write(QStringLiteral("param.ini"), "[port] com1\r\n[baud] 19200\r\n");
    form.open();

    form.setPort(QString::fromUtf8(c.typed));

    EXPECT_EQ(form.baudVisible(), c.baudVisible);
    ASSERT_TRUE(form.save());
    EXPECT_TRUE(paramLines().contains(QLatin1String(c.portLine)));
    EXPECT_TRUE(paramLines().contains(QLatin1String(c.baudLine)));
}

INSTANTIATE_TEST_SUITE_P(SettingsForm, PortTyping,
                         ::testing::Values(PortCase{"192.168.1.20", false, "[port] 192.168.1.20", "[baud] 5012"},
                                           PortCase{"192.168.1.20:9100", false, "[port] 192.168.1.20:9100",
                                                    "[baud] 19200"},
                                           PortCase{"COM3", true, "[port] com3", "[baud] 19200"}));

TEST_F(SettingsFormTest, WithoutABaudLineTheBaudBoxShowsTheUsualSerialSpeed)
{
    write(QStringLiteral("param.ini"), "[port] com4\r\n");
    form.open();
    EXPECT_EQ(form.values().port, QStringLiteral("com4"));
    EXPECT_EQ(form.values().baud, QStringLiteral("9600"));
}

TEST_F(SettingsFormTest, WithoutVatsDatTheBoxesShowZeroAndTheFileIsCreated)
{
    form.open();
    EXPECT_EQ(form.vatBoxes(), QStringList(5, QStringLiteral("0")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("vats.dat"))));
}

struct PrintCodeCase {
    const char *fileValue;
    Check ticked;
    bool on;
    bool ascii;
    bool numeric;
};

class PrintCodeBoxes : public SettingsFormTest, public ::testing::WithParamInterface<PrintCodeCase> {};

TEST_P(PrintCodeBoxes, ExcludeEachOtherOnlyWhenTicked)
{
    const PrintCodeCase &c = GetParam();
    write(QStringLiteral("param.ini"), QByteArray("[print_code] ") + c.fileValue + "\r\n");
    form.open();

    form.setChecked(c.ticked, c.on);

    EXPECT_EQ(form.isChecked(Check::PrintCodeAscii), c.ascii);
    EXPECT_EQ(form.isChecked(Check::PrintCodeNumeric), c.numeric);
}

INSTANTIATE_TEST_SUITE_P(SettingsForm, PrintCodeBoxes,
                         ::testing::Values(PrintCodeCase{"true N", Check::PrintCodeAscii, true, true, false},
                                           PrintCodeCase{"true A", Check::PrintCodeNumeric, true, false, true},
                                           PrintCodeCase{"true A", Check::PrintCodeAscii, false, false, false},
                                           PrintCodeCase{"true N", Check::PrintCodeAscii, false, false, true},
                                           PrintCodeCase{"falseN", Check::PrintCodeNumeric, true, false, true}));

TEST_F(SettingsFormTest, TickingAsciiOverANumericFileSavesTrueA)
{
    write(QStringLiteral("param.ini"), "[print_code] true N\r\n");
    form.open();
    form.setChecked(Check::PrintCodeAscii, true);
    ASSERT_TRUE(form.save());
    EXPECT_TRUE(paramLines().contains(QStringLiteral("[print_code] true A")));
    EXPECT_FALSE(paramLines().contains(QStringLiteral("[print_code] true N")));
}

struct ModelCase {
    const char *fileCode; // the [ecrt] line's value, or nullptr for no line
    const char *typed;    // the model box's text, or nullptr to keep it
    const char *shown;
    const char *savedLine; // nullptr: no model line
};

class ModelBox : public SettingsFormTest, public ::testing::WithParamInterface<ModelCase> {};

TEST_P(ModelBox, SavesTheModelLineOfItsText)
{
    const ModelCase &c = GetParam();
    write(QStringLiteral("param.ini"), c.fileCode ? QByteArray("[ecrt] ") + c.fileCode + "\r\n" : QByteArray());
    form.open();
    if (c.typed)
        form.setModel(QString::fromUtf8(c.typed));
    EXPECT_EQ(form.values().model, QString::fromUtf8(c.shown));

    ASSERT_TRUE(form.save());
    const QStringList modelLines = paramLines().filter(QStringLiteral("[ecrt]"));
    EXPECT_EQ(modelLines, c.savedLine ? QStringList{QLatin1String(c.savedLine)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    SettingsForm, ModelBox,
    ::testing::Values(ModelCase{"mikro", nullptr, "MikroPos", "[ecrt] mikro"},
                      ModelCase{"pos21", nullptr, "Pos21", "[ecrt] pos21"},
                      ModelCase{"TECFP", nullptr, "", nullptr},
                      ModelCase{"TECFP", "TEC  Fiscal Printer", "TEC  Fiscal Printer", "[ecrt] TECFP"},
                      ModelCase{nullptr, "Pos21", "Pos21", "[ecrt] pos21"},
                      ModelCase{nullptr, "Poseidon 21", "Poseidon 21", "[ecrt] pos21"},
                      ModelCase{"pos21", "MikroPos", "MikroPos", "[ecrt] mikro"}));

TEST_F(SettingsFormTest, RestoreBringsBackTheFileAndDefaultsForWhatItLacks)
{
    write(QStringLiteral("param.ini"), "[port] com2\r\n"
                                       "[file] print.1\r\n"
                                       "[comments] true\r\n"
                                       "[AutoStar]=no\r\n");
    form.open();
    form.setPort(QStringLiteral("192.168.7.7"));
    form.setFile(QStringLiteral("other"));
    form.setChecked(Check::Comments, false);
    form.setChecked(Check::Quantity, true);
    form.setChecked(Check::AutoStart, true);
    form.setCurrency(2);

    form.restore();

    const QStringList restored = shown(form);
    EXPECT_EQ(restored.mid(0, 15), (QStringList{
                                       QStringLiteral("comtxt 'com2'"),
                                       QStringLiteral("baudtxt '0'"),
                                       QStringLiteral("filetxt 'print.1'"),
                                       QStringLiteral("typetxt 'MikroPos'"),
                                       QStringLiteral("location ' '"),
                                       QStringLiteral("multi_print 0"),
                                       QStringLiteral("dirdep 0"),
                                       QStringLiteral("descreption 0"),
                                       QStringLiteral("print_code_ascii 0"),
                                       QStringLiteral("print_code_numeric 0"),
                                       QStringLiteral("comments 1"),
                                       QStringLiteral("quantity 0"),
                                       QStringLiteral("keyb_locked 0"),
                                       QStringLiteral("ChkAuto 1"),
                                       QStringLiteral("currency 0"),
                                   }))
        << "restore leaves ChkAuto alone and a file cannot untick it";
}

TEST_F(SettingsFormTest, RestoreWithoutALocationLineGivesOneSpace)
{
    form.open();
    form.setLocation(QStringLiteral("/srv"));
    form.restore();
    EXPECT_EQ(form.values().location, QStringLiteral(" "));
    EXPECT_EQ(form.values().port, QStringLiteral("0"));
}

TEST_F(SettingsFormTest, ClosingReportsOnceAndOnlyWhenOpen)
{
    form.close();
    form.open();
    form.close();
    form.close();
    EXPECT_EQ(events, (QStringList{QStringLiteral("opened"), QStringLiteral("closed")}));
}

} // namespace
} // namespace merovan
