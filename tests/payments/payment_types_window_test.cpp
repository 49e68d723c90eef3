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

using test::clearBox;
using test::pressKey;
using test::typeInto;

class PaymentTypesWindowTest : public ::testing::Test {
protected:
    PaymentTypesWindowTest()
    {
        window.show();
        form.frmFill();
    }

    template <typename T>
    T *child(const char *name)
    {
        T *widget = window.findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("payeft.dat"));
    test::RecordingOperator op;
    PaymentTypesForm form{op, path};
    PaymentTypesWindow window{form};
};

TEST_F(PaymentTypesWindowTest, ShowsTheFilledListsAndTypingAFallbackShowsItsName)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Πληρωμές Καρτών"));
    EXPECT_EQ(child<QComboBox>("cmbECRPayment")->count(), 4);
    EXPECT_EQ(child<QComboBox>("cmbECREFT")->currentText(), QStringLiteral("---"));
    EXPECT_EQ(child<QLineEdit>("txtPay")->text(), QStringLiteral("01"));
    EXPECT_TRUE(child<QPushButton>("cmdRef")->isVisible());

    clearBox(child<QLineEdit>("txtPayID"));
    typeInto(child<QLineEdit>("txtPayID"), QStringLiteral("2"));
    EXPECT_EQ(child<QLabel>("txtPAYEDDesc")->text(), QStringLiteral("Κάρτα"));
}

TEST_F(PaymentTypesWindowTest, FindShowsTheRecordSaveWritesTheChoicesAndExitCloses)
{
    ASSERT_EQ(writePaymentType({3, 3, 2, -1, 1, 2, 5}, path), 0);
    QLineEdit *number = child<QLineEdit>("txtPay");
    clearBox(number);
    typeInto(number, QStringLiteral("3"));
    child<QPushButton>("cmdFind")->click();

    EXPECT_EQ(child<QComboBox>("cmbECRPayment")->currentText(), QStringLiteral("EFT Προφορτωμένη"));
    EXPECT_EQ(child<QComboBox>("cmbECREFT")->currentText(), QStringLiteral("EFTPOS #2"));
    EXPECT_TRUE(child<QCheckBox>("chkActive")->isChecked());
    EXPECT_EQ(child<QLineEdit>("txtPayDelay")->text(), QStringLiteral("5"));

    pressKey(child<QComboBox>("cmbECREFT"), Qt::Key_Down);
    child<QCheckBox>("chkActive")->click();
    child<QPushButton>("save")->click();

    PaymentTypeRecord saved{3, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(readPaymentTypeQuietly(saved, path), 0);
    EXPECT_EQ(saved, (PaymentTypeRecord{3, 3, 3, 0, 1, 2, 5}));

    bool closed = false;
    QObject::connect(&form, &PaymentTypesForm::closed, [&] { closed = true; });
    child<QPushButton>("cmdexit")->click();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace merovan
