#include "settings/settings_window.h"

#include "fake_clock.h"
#include "qt_printers.h"
#include "recording_operator.h"
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
        QFile file(dir.filePath(QStringLiteral("param.ini")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[port] com2\r\n"
                   "[baud] 19200\r\n"
                   "[file] a-long-job-file-name.txt\r\n"
                   "[ecrt] pos21\r\n"
                   "[print_code] true N\r\n"
                   "[currency]=2\r\n");
        file.close();
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
    EXPECT_FALSE(child<QCheckBox>("print_code_ascii")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("total_2")->isChecked());
    QStringList vat;
    for (QLineEdit *box : window.findChildren<QLineEdit *>(QStringLiteral("txtVatRate")))
        vat << box->text();
    EXPECT_EQ(vat, QStringList(5, QStringLiteral("0")));
}

TEST_F(SettingsWindowTest, TypingAnAddressHidesTheBaudBox)
{
    QLineEdit *port = child<QLineEdit>("comtxt");
    clearBox(port);
    typeInto(port, QStringLiteral("192.168.1.20"));
    EXPECT_EQ(form.values().port, QStringLiteral("192.168.1.20"));
    EXPECT_FALSE(child<QLineEdit>("baudtxt")->isVisible());

    clearBox(port);
    typeInto(port, QStringLiteral("com1"));
    EXPECT_TRUE(child<QLineEdit>("baudtxt")->isVisible());
}

TEST_F(SettingsWindowTest, TypingIsLimitedToEachBoxsLength)
{
    QLineEdit *file = child<QLineEdit>("filetxt");
    clearBox(file);
    typeInto(file, QStringLiteral("print.1234567890"));
    EXPECT_EQ(form.values().file, QStringLiteral("print.123456"));
}

TEST_F(SettingsWindowTest, ClicksReachTheForm)
{
    child<QCheckBox>("print_code_ascii")->click();
    EXPECT_TRUE(form.isChecked(SettingsForm::Check::PrintCodeAscii));
    EXPECT_FALSE(child<QCheckBox>("print_code_numeric")->isChecked()) << "the boxes exclude each other";

    child<QRadioButton>("total_file")->click();
    EXPECT_EQ(form.values().currency, 0);

    QComboBox *model = child<QComboBox>("typetxt");
    model->setCurrentIndex(0);
    EXPECT_EQ(form.values().model, QStringLiteral("MikroPos"));
    model->lineEdit()->clear();
    typeInto(model->lineEdit(), QStringLiteral("Poseidon 21"));
    EXPECT_EQ(form.values().model, QStringLiteral("Poseidon 21"));
}

TEST_F(SettingsWindowTest, RestoreShowsTheFileAgain)
{
    QLineEdit *port = child<QLineEdit>("comtxt");
    clearBox(port);
    typeInto(port, QStringLiteral("com9"));
    child<QPushButton>("restore")->click();
    EXPECT_EQ(port->text(), QStringLiteral("com2"));
}

TEST_F(SettingsWindowTest, OkSavesAndClosesTheWindow)
{
    bool closed = false;
    QObject::connect(&form, &SettingsForm::closed, [&] { closed = true; });

    child<QPushButton>("OK")->click();

    EXPECT_TRUE(closed);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("vats.dat"))));
}

TEST_F(SettingsWindowTest, ClosingTheWindowClosesTheForm)
{
    bool closed = false;
    QObject::connect(&form, &SettingsForm::closed, [&] { closed = true; });
    window.close();
    EXPECT_TRUE(closed);
}

} // namespace
} // namespace merovan
