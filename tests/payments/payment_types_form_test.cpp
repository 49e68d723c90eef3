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
        .arg(form.ecrPayments().value(form.ecrPaymentIndex()).text, form.terminals().value(form.terminalIndex()).text,
             form.active() ? QStringLiteral("on") : QStringLiteral("off"), form.retries(), form.fallback(),
             form.fallbackName(), form.delay());
}

const QString kNothingSaved = QStringLiteral("--- | --- | off | 0 | 0 -------------- | 0");

class PaymentTypesFormTest : public ::testing::Test {
protected:
    PaymentTypesFormTest()
    {
        QObject::connect(&form, &PaymentTypesForm::changed, [this] {
            if (captions.isEmpty() || captions.constLast() != form.caption())
                captions << form.caption();
        });
        QObject::connect(&form, &PaymentTypesForm::opened, [this] { events << QStringLiteral("opened"); });
        QObject::connect(&form, &PaymentTypesForm::closed, [this] { events << QStringLiteral("closed"); });
        form.frmFill();
    }

    // Types into the four boxes and picks the list entries that carry these values.
    void fill(const QString &pay, const QString &retries, const QString &fallback, const QString &delay,
              int ecrPayment = 0, int terminal = 0)
    {
        form.setPay(pay);
        form.setRetries(retries);
        form.setFallback(fallback);
        form.setDelay(delay);
        form.setEcrPaymentIndex(getItembyData(form.ecrPayments(), ecrPayment));
        form.setTerminalIndex(getItembyData(form.terminals(), terminal));
    }

    QString found(const QString &number)
    {
        form.setPay(number);
        form.find();
        return shown(form);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("payeft.dat"));
    test::RecordingOperator op;
    PaymentTypesForm form{op, path};
    QStringList captions;
    QStringList events;
};

TEST_F(PaymentTypesFormTest, FillShowsItsReadingCaptionAndBuildsBothListsWithValues)
{
    EXPECT_EQ(captions, (QStringList{"Ανάγνωση Ρυθμίσεων Ταμειακής...", "Πληρωμές Καρτών"}));
    EXPECT_TRUE(form.refreshVisible());
    EXPECT_EQ(op.eventRuns, 1) << "pending messages run before the lists fill";
    const QList<ListEntry> payments = {{"---", 0}, {"EFT Πληρωμή", 2}, {"EFT Προφορτωμένη", 3}, {"EFT Προείσπραξη", 9}};
    EXPECT_EQ(form.ecrPayments(), payments);
    form.frmFill();
    ASSERT_EQ(form.terminals().size(), 9) << "a second fill rebuilds, it does not append";
    EXPECT_EQ(form.terminals()[0], (ListEntry{"---", 0}));
    EXPECT_EQ(form.terminals()[8], (ListEntry{"EFTPOS #8", 8}));
    EXPECT_EQ(form.pay() + " | " + shown(form), QStringLiteral("01 | --- | --- | on | 0 | 0 -------------- | 0"));

    form.close();
    form.close();
    EXPECT_EQ(events, (QStringList{"opened", "opened", "closed"}));
}

TEST_F(PaymentTypesFormTest, SavesType3IntoAMissingFileAtBytes256To269AndANeverSavedTypeShowsZeros)
{
    fill("3", "2", "1", "10", 2, 1);
    ASSERT_TRUE(form.save());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 270);
    EXPECT_EQ(bytes.mid(256, 14), QByteArray::fromHex("0300" "0200" "0100" "ffff" "0200" "0100" "0a00"));
    EXPECT_EQ(bytes.left(256), QByteArray(256, '\0'));
    EXPECT_TRUE(op.boxes.empty());
    EXPECT_EQ(found("2"), kNothingSaved);
}

TEST_F(PaymentTypesFormTest, FindShowsASavedRecordAgainAndOnlyZerosOnceItIsDeleted)
{
    fill("5", "3", "2", "15", 9, 8);
    ASSERT_TRUE(form.save());
    form.frmFill();
    EXPECT_EQ(found("05"), QStringLiteral("EFT Προείσπραξη | EFTPOS #8 | on | 3 | 2 Κάρτα | 15"));

    ASSERT_TRUE(form.remove());
    EXPECT_EQ(found("5"), kNothingSaved);
}

TEST_F(PaymentTypesFormTest, AValueNeitherListHoldsShowsDashesAndSavesZero)
{
    ASSERT_EQ(writePaymentType({4, 5, 12, 0, 1, 0, 0}, path), 0);
    EXPECT_EQ(found("4"), QStringLiteral("--- | --- | off | 1 | 0 -------------- | 0"));
    ASSERT_TRUE(form.save());
    PaymentTypeRecord record{4};
    ASSERT_EQ(readPaymentTypeQuietly(record, path), 0);
    EXPECT_EQ(record, (PaymentTypeRecord{4, 0, 0, 0, 1, 0, 0}));
}

TEST_F(PaymentTypesFormTest, TheFallbackBoxShowsTheRegistersPaymentName)
{
    // Typed in this order: text that is no number leaves the name alone.
    const std::pair<QString, QString> typed[] = {{"1", "Μετρητά"}, {"x", "Μετρητά"},        {"", "Μετρητά"},
                                                 {"2", "Κάρτα"},   {"6", "Πληρωμή F"},      {"7", "--------------"},
                                                 {"1", "Μετρητά"}, {"0", "--------------"}};
    for (const auto &[text, name] : typed) {
        form.setFallback(text);
        EXPECT_EQ(form.fallbackName(), name) << text.toStdString();
    }
}

TEST_F(PaymentTypesFormTest, SaveAndDeleteNameTheBoxThatHoldsNoNumberAndWriteNothing)
{
    const struct { QString pay, retries, fallback, delay, named; } cases[] = {
        {"", "1", "1", "1", "# πληρωμής Merovan"},  {"0", "1", "1", "1", "# πληρωμής Merovan"},
        {"3", "", "1", "1", "Προσπάθειες"},         {"3", "1", "x", "1", "Εναλλακτική πληρωμή"},
        {"3", "1", "1", "-1", "Καθυστέρηση"},       {"3", "1", "1", "1.5", "Καθυστέρηση"},
    };
    for (const auto &c : cases) {
        op.boxes.clear();
        fill(c.pay, c.retries, c.fallback, c.delay);
        EXPECT_FALSE(form.save());
        ASSERT_EQ(op.boxes.size(), 1u);
        EXPECT_EQ(op.boxes[0].text, fitMessageText("Μη έγκυρη τιμή: " + c.named));
        EXPECT_EQ(op.boxes[0].caption, QStringLiteral("Πληρωμές Καρτών"));
        EXPECT_EQ(op.boxes[0].style, MsgExclamation | MsgSystemModal);
    }
    form.setPay(QString());
    EXPECT_FALSE(form.remove());
    EXPECT_EQ(op.boxes.back().text, fitMessageText(QStringLiteral("Μη έγκυρη τιμή: # πληρωμής Merovan")));
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace merovan
