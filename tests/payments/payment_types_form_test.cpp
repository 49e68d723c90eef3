#include "payments/payment_types_form.h"

#include "qt_printers.h"
#include "record_printer.h"
#include "recording_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

using test::RecordingOperator;

// The controls of the window as the operator reads them.
struct Shown {
    QString ecrPayment;
    QString terminal;
    bool active;
    QString retries;
    QString fallback;
    QString fallbackName;
    QString delay;
    friend bool operator==(const Shown &, const Shown &) = default;
};

void PrintTo(const Shown &s, std::ostream *os)
{
    *os << '{' << s.ecrPayment.toStdString() << " | " << s.terminal.toStdString() << " | " << s.active << " | "
        << s.retries.toStdString() << " | " << s.fallback.toStdString() << ' ' << s.fallbackName.toStdString()
        << " | " << s.delay.toStdString() << '}';
}

Shown shown(const PaymentTypesForm &form)
{
    return {form.ecrPayments().value(form.ecrPaymentIndex()).text,
            form.terminals().value(form.terminalIndex()).text,
            form.active(),
            form.retries(),
            form.fallback(),
            form.fallbackName(),
            form.delay()};
}

const QString kHyphens = QStringLiteral("--------------");

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

    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The operator's choice of the entry with this value, as a click would.
    void choose(int ecrPayment, int terminal)
    {
        form.setEcrPaymentIndex(getItembyData(form.ecrPayments(), ecrPayment));
        form.setTerminalIndex(getItembyData(form.terminals(), terminal));
    }

    void fillBoxes(const QString &pay, const QString &retries, const QString &fallback, const QString &delay)
    {
        form.setPay(pay);
        form.setRetries(retries);
        form.setFallback(fallback);
        form.setDelay(delay);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("payeft.dat"));
    RecordingOperator op;
    PaymentTypesForm form{op, path};
    QStringList captions;
    QStringList events;
};

TEST_F(PaymentTypesFormTest, FillShowsItsReadingCaptionAndBuildsBothListsWithValues)
{
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Ανάγνωση Ρυθμίσεων Ταμειακής..."),
                                     QStringLiteral("Πληρωμές Καρτών")}));
    EXPECT_TRUE(form.refreshVisible());
    EXPECT_EQ(events, QStringList{QStringLiteral("opened")});
    EXPECT_EQ(op.eventRuns, 1) << "pending messages run before the lists fill";

    const QList<ListEntry> payments = {{QStringLiteral("---"), 0},
                                       {QStringLiteral("EFT Πληρωμή"), 2},
                                       {QStringLiteral("EFT Προφορτωμένη"), 3},
                                       {QStringLiteral("EFT Προείσπραξη"), 9}};
    EXPECT_EQ(form.ecrPayments(), payments);
    ASSERT_EQ(form.terminals().size(), 9);
    EXPECT_EQ(form.terminals()[0], (ListEntry{QStringLiteral("---"), 0}));
    for (int t = 1; t <= 8; ++t)
        EXPECT_EQ(form.terminals()[t], (ListEntry{QStringLiteral("EFTPOS #%1").arg(t), t}));
    EXPECT_EQ(form.pay(), QStringLiteral("01"));
    EXPECT_EQ(form.ecrPaymentIndex(), 0);
    EXPECT_EQ(form.terminalIndex(), 0);
    EXPECT_TRUE(form.active());

    form.frmFill();
    EXPECT_EQ(form.terminals().size(), 9) << "a second fill rebuilds, it does not append";
}

TEST_F(PaymentTypesFormTest, SavesType3IntoAMissingFileAtBytes256To269)
{
    fillBoxes(QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("10"));
    choose(2, 1);

    ASSERT_TRUE(form.save());

    const QByteArray bytes = fileBytes();
    ASSERT_GE(bytes.size(), 270);
    EXPECT_EQ(bytes.mid(256, 14), QByteArray::fromHex("0300" "0200" "0100" "ffff" "0200" "0100" "0a00"));
    EXPECT_EQ(bytes.left(256), QByteArray(256, '\0'));
    EXPECT_TRUE(op.boxes.empty());
}

TEST_F(PaymentTypesFormTest, FindingANeverSavedTypeShowsZerosAndDashes)
{
    fillBoxes(QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("10"));
    choose(2, 1);
    ASSERT_TRUE(form.save());

    form.setPay(QStringLiteral("2"));
    form.find();

    EXPECT_EQ(shown(form), (Shown{QStringLiteral("---"), QStringLiteral("---"), false, QStringLiteral("0"),
                                  QStringLiteral("0"), kHyphens, QStringLiteral("0")}));
}

TEST_F(PaymentTypesFormTest, FindShowsASavedRecordAgain)
{
    fillBoxes(QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("15"));
    choose(9, 8);
    ASSERT_TRUE(form.save());
    form.frmFill();
    form.setPay(QStringLiteral("05"));

    form.find();

    EXPECT_EQ(shown(form), (Shown{QStringLiteral("EFT Προείσπραξη"), QStringLiteral("EFTPOS #8"), true,
                                  QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("Κάρτα"),
                                  QStringLiteral("15")}));
}

TEST_F(PaymentTypesFormTest, AKeyOutsideTheListShowsDashesAndSavesZero)
{
    ASSERT_EQ(writePaymentType({4, 5, 12, 0, 1, 0, 0}, path), 0);
    form.setPay(QStringLiteral("4"));
    form.find();
    EXPECT_EQ(shown(form).ecrPayment, QStringLiteral("---"));
    EXPECT_EQ(shown(form).terminal, QStringLiteral("---"));

    ASSERT_TRUE(form.save());

    PaymentTypeRecord record{4, 9, 9, 9, 9, 9, 9};
    ASSERT_EQ(readPaymentTypeQuietly(record, path), 0);
    EXPECT_EQ(record, (PaymentTypeRecord{4, 0, 0, 0, 1, 0, 0}));
}

TEST_F(PaymentTypesFormTest, DeletingAndFindingAgainShowsTheAllZeroRecord)
{
    ASSERT_EQ(writePaymentType({4, 2, 3, -1, 2, 1, 9}, path), 0);
    form.setPay(QStringLiteral("4"));

    ASSERT_TRUE(form.remove());
    form.find();

    EXPECT_EQ(shown(form), (Shown{QStringLiteral("---"), QStringLiteral("---"), false, QStringLiteral("0"),
                                  QStringLiteral("0"), kHyphens, QStringLiteral("0")}));
}

TEST_F(PaymentTypesFormTest, FindWithoutANumberChangesNothing)
{
    fillBoxes(QStringLiteral("x"), QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("7"));
    const Shown before = shown(form);
    form.find();
    EXPECT_EQ(shown(form), before);
    EXPECT_FALSE(QFile::exists(path));
}

struct FallbackCase {
    const char *typed;
    const char *name;
};

class FallbackBox : public PaymentTypesFormTest, public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(FallbackBox, ShowsTheRegistersPaymentName)
{
    form.setFallback(QStringLiteral("1")); // "Μετρητά" before the typing
    form.setFallback(QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(form.fallbackName(), QString::fromUtf8(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(PaymentTypesForm, FallbackBox,
                         ::testing::Values(FallbackCase{"2", "Κάρτα"}, FallbackCase{"1", "Μετρητά"},
                                           FallbackCase{"6", "Πληρωμή F"}, FallbackCase{"7", "--------------"},
                                           FallbackCase{"0", "--------------"}, FallbackCase{"x", "Μετρητά"},
                                           FallbackCase{"", "Μετρητά"}));

struct RefusedCase {
    const char *pay;
    const char *retries;
    const char *fallback;
    const char *delay;
    const char *named;
};

class RefusedSave : public PaymentTypesFormTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedSave, NamesTheBoxAndWritesNothing)
{
    const RefusedCase &c = GetParam();
    fillBoxes(QString::fromUtf8(c.pay), QString::fromUtf8(c.retries), QString::fromUtf8(c.fallback),
              QString::fromUtf8(c.delay));

    EXPECT_FALSE(form.save());

    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(QStringLiteral("Μη έγκυρη τιμή: ") + QString::fromUtf8(c.named)));
    EXPECT_EQ(op.boxes[0].caption, QStringLiteral("Πληρωμές Καρτών"));
    EXPECT_EQ(op.boxes[0].style, MsgExclamation | MsgSystemModal);
}

INSTANTIATE_TEST_SUITE_P(PaymentTypesForm, RefusedSave,
                         ::testing::Values(RefusedCase{"", "1", "1", "1", "# πληρωμής Merovan"},
                                           RefusedCase{"0", "1", "1", "1", "# πληρωμής Merovan"},
                                           RefusedCase{"ab", "1", "1", "1", "# πληρωμής Merovan"},
                                           RefusedCase{"3", "", "1", "1", "Προσπάθειες"},
                                           RefusedCase{"3", "1", "x", "1", "Εναλλακτική πληρωμή"},
                                           RefusedCase{"3", "1", "1", "-1", "Καθυστέρηση"},
                                           RefusedCase{"3", "1", "1", "1.5", "Καθυστέρηση"}));

TEST_F(PaymentTypesFormTest, DeleteWithoutANumberNamesTheBox)
{
    form.setPay(QString());
    EXPECT_FALSE(form.remove());
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(QStringLiteral("Μη έγκυρη τιμή: # πληρωμής Merovan")));
}

TEST(GetItembyData, GivesTheFirstMatchOrTheDashEntry)
{
    const QList<ListEntry> list = {{QStringLiteral("---"), 0},
                                   {QStringLiteral("a"), 2},
                                   {QStringLiteral("b"), 3},
                                   {QStringLiteral("c"), 9},
                                   {QStringLiteral("d"), 3}};
    const std::pair<int, int> cases[] = {{0, 0}, {2, 1}, {3, 2}, {9, 3}, {5, 0}, {-1, 0}};
    for (const auto &[value, index] : cases)
        EXPECT_EQ(getItembyData(list, value), index) << value;
}

TEST_F(PaymentTypesFormTest, ClosingReportsOnce)
{
    form.close();
    form.close();
    EXPECT_EQ(events, (QStringList{QStringLiteral("opened"), QStringLiteral("closed")}));
}

} // namespace
} // namespace merovan
