#include "settings/settings_window.h"

#include "fake_clock.h"
#include "qt_printers.h"
#include "recording_operator.h"
#include "settings_files.h"
#include "typing.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(SettingsWindow, ShowsTheFormsValuesAndTypingClicksAndOkReachIt)
{
    QTemporaryDir dir;
    const QString paramPath = dir.filePath(QStringLiteral("param.ini"));
    const QString vatPath = dir.filePath(QStringLiteral("vats.dat"));
    ASSERT_TRUE(test::writeFile(paramPath, "[port] com2\r\n[file] a-long-job-file-name.txt\r\n"));
    test::FakeClock clock;
    test::RecordingOperator op;
    SettingsForm form{op, clock, paramPath, vatPath};
    SettingsWindow window{form};
    form.open();
    window.show();
    auto *comtxt = window.findChild<QLineEdit *>("comtxt");
    auto *baudtxt = window.findChild<QLineEdit *>("baudtxt");
    auto *filetxt = window.findChild<QLineEdit *>("filetxt");
    auto *ascii = window.findChild<QCheckBox *>("print_code_ascii");
    auto *ok = window.findChild<QPushButton *>("OK");
    const auto vat = window.findChildren<QLineEdit *>("txtVatRate");
    ASSERT_TRUE(comtxt && baudtxt && filetxt && ascii && ok && vat.size() == 5);

    EXPECT_EQ(comtxt->text(), QStringLiteral("com2"));
    EXPECT_EQ(filetxt->text(), QStringLiteral("a-long-job-file-name.txt")) << "a longer name from the file shows whole";

    const std::pair<QLineEdit *, const char *> typed[] = {
        {comtxt, "192.168.1.20"}, {filetxt, "print.1234567890"}, {vat[2], "6,5"}};
    for (const auto &[box, text] : typed) {
        test::clearBox(box);
        test::typeInto(box, QString::fromUtf8(text));
    }
    EXPECT_FALSE(baudtxt->isVisible());
    ascii->click();
    ok->click();

    EXPECT_FALSE(window.isVisible());
    const QByteArray saved = test::readFile(paramPath);
    for (const char *line : {"[port] 192.168.1.20\r\n", "[file] print.123456\r\n", "[print_code] true A\r\n"})
        EXPECT_TRUE(saved.contains(line)) << line;
    EXPECT_EQ(test::readFile(vatPath), test::vatBytes({0, 0, 6.5, 0, 0}));
}

TEST(SettingsWindow, EscapeClosesItWithoutSaving)
{
    QTemporaryDir dir;
    const QString paramPath = dir.filePath(QStringLiteral("param.ini"));
    const QByteArray before = "[port] com2\r\n[file] print\r\n";
    ASSERT_TRUE(test::writeFile(paramPath, before));
    test::FakeClock clock;
    test::RecordingOperator op;
    SettingsForm form{op, clock, paramPath, dir.filePath(QStringLiteral("vats.dat"))};
    SettingsWindow window{form};
    bool closed = false;
    QObject::connect(&form, &SettingsForm::closed, [&closed] { closed = true; });
    form.open();
    window.show();
    auto *comtxt = window.findChild<QLineEdit *>("comtxt");
    ASSERT_TRUE(comtxt);
    test::clearBox(comtxt);
    test::typeInto(comtxt, QStringLiteral("192.168.1.20"));

    test::pressKey(comtxt, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(closed);
    EXPECT_EQ(test::readFile(paramPath), before);
    EXPECT_TRUE(op.boxes.empty()) << "no restart message: nothing was saved";
}

} // namespace
} // namespace merovan
