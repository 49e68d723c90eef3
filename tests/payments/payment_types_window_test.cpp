#include "payments/payment_types_window.h"

#include "payments/payment_types_form.h"
#include "qt_printers.h"
#include "recording_operator.h"
#include "typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(PaymentTypesWindow, FindShowsTheRecordTypingAndClicksReachTheFormAndExitCloses)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("payeft.dat"));
    ASSERT_EQ(writePaymentType({3, 3, 2, -1, 1, 2, 5}, path), 0);
    test::RecordingOperator op;
    PaymentTypesForm form{op, path};
    PaymentTypesWindow window{form};
    window.show();
    form.reload();
    auto *number = window.findChild<QLineEdit *>("txtPay");
    auto *terminal = window.findChild<QComboBox *>("cmbECREFT");
    auto *active = window.findChild<QCheckBox *>("chkActive");
    auto *fallback = window.findChild<QLineEdit *>("txtPayID");
    auto *fallbackName = window.findChild<QLabel *>("txtPAYEDDesc");
    ASSERT_TRUE(number && terminal && active && fallback && fallbackName);

    test::clearBox(number);
    test::typeInto(number, QStringLiteral("3"));
    window.findChild<QPushButton *>("cmdFind")->click();
    EXPECT_EQ(terminal->currentText(), QStringLiteral("EFTPOS #2"));
    EXPECT_TRUE(active->isChecked());
    EXPECT_EQ(fallbackName->text(), QStringLiteral("Κάρτα"));

    test::pressKey(terminal, Qt::Key_Down);
    active->click();
    test::clearBox(fallback);
    test::typeInto(fallback, QStringLiteral("1"));
    EXPECT_EQ(fallbackName->text(), QStringLiteral("Μετρητά"));
    window.findChild<QPushButton *>("save")->click();
    PaymentTypeRecord saved{3};
    ASSERT_EQ(readPaymentTypeQuietly(saved, path), 0);
    EXPECT_EQ(saved, (PaymentTypeRecord{3, 3, 3, 0, 1, 1, 5}));

    window.findChild<QPushButton *>("cmdexit")->click();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace merovan
