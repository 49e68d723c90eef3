#include "settings/settings_window.h"

#include "fake_clock.h"
#include "qt_printers.h"
#include "recording_operator.h"
#include "settings_files.h"
#include "typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

using test::clearBox;
using test::typeInto;

class SettingsWindowTest : public ::testing::Test {
protected:
    SettingsWindowTest()
    {
        EXPECT_TRUE(test::writeFile(dir.filePath(QStringLiteral("param.ini")),
                                    "[port] com2\r\n[baud] 19200\r\n[file] a-long-job-file-name.txt\r\n"
                                    "[ecrt] pos21\r\n[print_code] true N\r\n[currency]=2\r\n"));
        form.open();
        window.show();
    }

    template <typename T>
    T *child(const char *name)
    {
        T *widget = window.findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Empties the box and types the text, as an operator would.
    void retype(QWidget *box, const QString &text)
    {
        clearBox(box);
        typeInto(box, text);
    }

    QTemporaryDir dir;
    test::FakeClock clock;
    test::RecordingOperator op;
    SettingsForm form{op, clock, dir.filePath(QStringLiteral("param.ini")), dir.filePath(QStringLiteral("vats.dat"))};
    SettingsWindow window{form};
};

TEST_F(SettingsWindowTest, ShowsTheFormsValues)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Παράμετροι Merovan"));
    EXPECT_EQ(child<QLineEdit>("comtxt")->text(), QStringLiteral("com2"));
    EXPECT_EQ(child<QLineEdit>("baudtxt")->text(), QStringLiteral("19200"));
    EXPECT_EQ(child<QLineEdit>("filetxt")->text(), QStringLiteral("a-long-job-file-name.txt"))
        << "a longer name from the file shows whole";
    EXPECT_EQ(child<QComboBox>("typetxt")->currentText(), QStringLiteral("Pos21"));
    EXPECT_TRUE(child<QCheckBox>("print_code_numeric")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("total_2")->isChecked());
    EXPECT_EQ(window.findChildren<QLineEdit *>(QStringLiteral("txtVatRate")).at(4)->text(), QStringLiteral("0"));
}

TEST_F(SettingsWindowTest, EditsAndClicksReachTheFormWithinEachBoxsLimit)
{
    retype(child<QLineEdit>("comtxt"), QStringLiteral("192.168.1.20"));
    EXPECT_EQ(form.values().port, QStringLiteral("192.168.1.20"));
    EXPECT_FALSE(child<QLineEdit>("baudtxt")->isVisible());
    retype(child<QLineEdit>("filetxt"), QStringLiteral("print.1234567890"));
    EXPECT_EQ(form.values().file, QStringLiteral("print.123456"));
    retype(window.findChildren<QLineEdit *>(QStringLiteral("txtVatRate")).at(2), QStringLiteral("6,5"));
    EXPECT_EQ(form.vatBoxes().at(2), QStringLiteral("6,5"));

    child<QCheckBox>("print_code_ascii")->click();
    EXPECT_TRUE(form.isChecked(SettingsForm::Check::PrintCodeAscii));
    child<QRadioButton>("total_file")->click();
    EXPECT_EQ(form.values().currency, 0);
    child<QComboBox>("typetxt")->setCurrentIndex(0);
    EXPECT_EQ(form.values().model, QStringLiteral("MikroPos"));
}

TEST_F(SettingsWindowTest, TheCloseBoxRestoreAndOkReachTheForm)
{
    int closed = 0;
    QObject::connect(&form, &SettingsForm::closed, [&] { ++closed; });
    window.close();
    EXPECT_EQ(closed, 1);

    form.open();
    window.show();
    retype(child<QLineEdit>("comtxt"), QStringLiteral("com9"));
    child<QPushButton>("restore")->click();
    EXPECT_EQ(child<QLineEdit>("comtxt")->text(), QStringLiteral("com2"));
    child<QPushButton>("OK")->click();
    EXPECT_EQ(closed, 2);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("vats.dat"))));
}

} // namespace
} // namespace merovan
