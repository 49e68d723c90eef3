#include "payments/payment_types_form.h"

#include "qt_printers.h"
#include "recording_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

// The controls from cmbECRPayment to txtPayDelay as the operator reads them.
QString shown(const PaymentTypesForm &form)
{
    return QStringLiteral("%1 | %2 | %3 | %4 | %5 %6 | %7")
        .arg(form.registerPayments().value(form.registerPaymentIndex()).text, form.terminals().value(form.terminalIndex()).text,
             form.active() ? QStringLiteral("on") : QStringLiteral("off"), form.retries(), form.fallback(),
             form.fallbackName(), form.delay());
}

const QString kNothingSaved = QStringLiteral("--- | --- | off | 0 | 0 -------------- | 0");

class PaymentTypesFormTest : public ::testing::Test {
protected:
    PaymentTypesFormTest() { form.reload(); }

    QString found(const QString &number)
    {
        form.setTypeNumber(number);
        form.find();
        return shown(form);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("payeft.dat"));
    test::RecordingOperator op;
    PaymentTypesForm form{op, path};
};

TEST_F(PaymentTypesFormTest, FillShowsItsReadingCaptionAndBuildsBothListsWithValues)
{
    QStringList captions, events;
    QObject::connect(&form, &PaymentTypesForm::changed, [&] {
        if (captions.isEmpty() || captions.constLast() != form.caption())
            captions << form.caption();
    });
    QObject::connect(&form, &PaymentTypesForm::opened, [&] { events << QStringLiteral("opened"); });
    QObject::connect(&form, &PaymentTypesForm::closed, [&] { events << QStringLiteral("closed"); });
    form.reload(); // the second: it rebuilds the lists, it does not append

    EXPECT_EQ(captions, (QStringList{"Ανάγνωση Ρυθμίσεων Ταμειακής...", "Πληρωμές Καρτών"}));
    EXPECT_EQ(form.registerPayments(),
              (QList<ListEntry>{{"---", 0}, {"EFT Πληρωμή", 2}, {"EFT Προφορτωμένη", 3}, {"EFT Προείσπραξη", 9}}));
    EXPECT_EQ(form.terminals().size(), 9);
    EXPECT_EQ(form.typeNumber() + " | " + shown(form), QStringLiteral("01 | --- | --- | on | 0 | 0 -------------- | 0"));
    form.close();
    form.close();
    EXPECT_EQ(events, (QStringList{"opened", "closed"}));
}

TEST_F(PaymentTypesFormTest, SaveWritesTheControlsAndFindShowsThemAgainOrZerosOrDashesForValuesNoListHolds)
{
    form.setTypeNumber(QStringLiteral("5"));
    form.setRegisterPaymentIndex(3); // EFT Προείσπραξη, 9
    form.setTerminalIndex(8);
    form.setRetries(QStringLiteral("3"));
    form.setFallback(QStringLiteral("2"));
    form.setDelay(QStringLiteral("15"));
    ASSERT_TRUE(form.save());
    PaymentTypeRecord saved{5};
    ASSERT_EQ(readPaymentTypeQuietly(saved, path), 0);
    EXPECT_EQ(saved, (PaymentTypeRecord{5, 9, 8, -1, 3, 2, 15}));

    EXPECT_EQ(found("2"), kNothingSaved);
    EXPECT_EQ(found("05"), QStringLiteral("EFT Προείσπραξη | EFTPOS #8 | on | 3 | 2 Κάρτα | 15"));
    ASSERT_TRUE(form.remove());
    EXPECT_EQ(found("5"), kNothingSaved);
    ASSERT_EQ(writePaymentType({4, 5, 12, 0, 1, 0, 0}, path), 0);
    EXPECT_EQ(found("4"), QStringLiteral("--- | --- | off | 1 | 0 -------------- | 0"));
    EXPECT_TRUE(op.boxes.empty());
}

TEST_F(PaymentTypesFormTest, TheFallbackBoxShowsTheRegistersPaymentName)
{
    // Typed in this order: text that is no number leaves the name alone.
    const std::pair<QString, QString> typed[] = {{"2", "Κάρτα"}, {"x", "Κάρτα"}, {"7", "--------------"}};
    for (const auto &[text, name] : typed) {
        form.setFallback(text);
        EXPECT_EQ(form.fallbackName(), name) << text.toStdString();
    }
}

TEST_F(PaymentTypesFormTest, SaveAndDeleteNameTheBoxThatHoldsNoNumberAndWriteNothing)
{
    const struct { QString pay, retries, fallback, delay, named; } cases[] = {
        {"", "1", "1", "1", "# πληρωμής Merovan"}, {"0", "1", "1", "1", "# πληρωμής Merovan"},
        {"3", "", "1", "1", "Προσπάθειες"},        {"3", "1", "x", "1", "Εναλλακτική πληρωμή"},
        {"3", "1", "1", "-1", "Καθυστέρηση"},
    };
    for (const auto &c : cases) {
        op.boxes.clear();
        form.setTypeNumber(c.pay);
        form.setRetries(c.retries);
        form.setFallback(c.fallback);
        form.setDelay(c.delay);
        EXPECT_FALSE(form.save());
        ASSERT_EQ(op.boxes.size(), 1u);
        EXPECT_EQ(op.boxes[0].text, fitMessageText("Μη έγκυρη τιμή: " + c.named));
    }
    // Zero is a value these three boxes allow: no retries, no fallback key,
    // no print pause.
    op.boxes.clear();
    form.setTypeNumber(QStringLiteral("3"));
    form.setRetries(QStringLiteral("0"));
    form.setFallback(QStringLiteral("0"));
    form.setDelay(QStringLiteral("0"));
    EXPECT_TRUE(form.save());
    EXPECT_TRUE(op.boxes.empty());
    PaymentTypeRecord written;
    written.typeNumber = 3;
    ASSERT_EQ(readPaymentTypeQuietly(written, path), 0);
    EXPECT_EQ(std::tuple(written.retries, written.fallbackKey, written.printDelaySeconds), std::tuple(0, 0, 0));
    QFile::remove(path);

    form.setTypeNumber(QString());
    EXPECT_FALSE(form.remove());
    EXPECT_EQ(op.boxes.back().text, fitMessageText(QStringLiteral("Μη έγκυρη τιμή: # πληρωμής Merovan")));
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace merovan
