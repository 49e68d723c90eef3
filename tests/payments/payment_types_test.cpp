#include "payments/payment_types.h"

#include "qt_printers.h"
#include "recording_operator.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

class PaymentTypesTest : public ::testing::Test {
protected:
    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("payeft.dat"));
    test::RecordingOperator op;
};

TEST_F(PaymentTypesTest, Type3IntoAMissingFileIsAWholeRecordAtByte256AndDeletingLeavesOnlyTheNumber)
{
    const PaymentTypeRecord saved{3, -32768, 32767, -1, 258, -2, 10};
    ASSERT_EQ(writePaymentType(saved, path), 0);

    QByteArray bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 3 * 128);
    EXPECT_EQ(bytes.mid(256, 14), QByteArray::fromHex("0300" "0080" "ff7f" "ffff" "0201" "feff" "0a00"));
    EXPECT_EQ(bytes.left(256) + bytes.mid(270), QByteArray(256 + 114, '\0'));
    EXPECT_EQ(readPaymentType(op, 3, path), saved);
    EXPECT_EQ(readPaymentType(op, 7, path), PaymentTypeRecord{7}) << "beyond the end: zeros, card payment off";
    EXPECT_TRUE(op.boxes.empty());

    ASSERT_EQ(writePaymentType({1, 2, 1, -1, 1, 1, 10}, path), 0);
    bytes = fileBytes();
    ASSERT_EQ(deletePaymentType(3, path), 0);
    EXPECT_EQ(fileBytes(), bytes.left(256) + QByteArray::fromHex("0300") + QByteArray(126, '\0'));
}

TEST_F(PaymentTypesTest, FieldZeroIsThePositionAndAForeignFillerBecomesZeros)
{
    QFile file(path);
    const QByteArray foreign = QByteArray::fromHex("0900" "0200" "0100" "ffff") + QByteArray(292, '\xEE');
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(foreign) == 300);
    file.close();

    PaymentTypeRecord record{1, 9, 9, 9, 9, 9, 9};
    ASSERT_EQ(readPaymentTypeQuietly(record, path), 0);
    EXPECT_EQ(record, (PaymentTypeRecord{1, 2, 1, -1, -4370, -4370, -4370}));
    ASSERT_EQ(writePaymentType({1, 2}, path), 0);
    EXPECT_EQ(fileBytes(), QByteArray::fromHex("0100" "0200") + QByteArray(124, '\0') + QByteArray(172, '\xEE'));
}

TEST_F(PaymentTypesTest, ANumberThatIsNoPositionShowsTheMessageAndFailsWrites)
{
    const std::pair<int, qint16> cases[] = {{-1, -1}, {65537, 0}}; // number, field 0: 1 if cut to 16 bits
    for (const auto &[typeNumber, field0] : cases) {
        test::RecordingOperator shown;
        EXPECT_EQ(readPaymentType(shown, typeNumber, path), PaymentTypeRecord{field0}) << typeNumber;
        ASSERT_EQ(shown.boxes.size(), 1u) << typeNumber;
        EXPECT_EQ(shown.boxes[0].text, QStringLiteral("Αδυναμία ανάγνωσης παραμέτρων πληρωμών: %1 στον φάκελο %2")
                                           .arg(QFileInfo(path).fileName(), QFileInfo(path).absolutePath()));
        EXPECT_EQ(shown.boxes[0].caption, QStringLiteral("Μύνημα Merovan"));
        EXPECT_EQ(deletePaymentType(typeNumber, path), -1) << typeNumber;
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(RegisterPayment, KeysOneToSixAreTheRegistersNamedPaymentsAndAPreloadedCardSaysSo)
{
    const std::pair<int, const char *> cases[] = {{1, "Μετρητά"}, {2, "Κάρτα"}, {3, "Πληρωμή C"}, {4, "Πληρωμή D"},
                                                  {5, "Πληρωμή E"}, {6, "Πληρωμή F"}, {7, ""}, {0, ""}};
    for (const auto &[key, name] : cases) {
        RegisterPayment pay;
        pay.name = QStringLiteral("old");
        pay.type = 3; // reset by the call, or the name would say the card is preloaded
        EXPECT_EQ(registerPayment(key, pay), *name ? 0 : -1) << key;
        EXPECT_EQ(pay.displayName(), QString::fromUtf8(name)) << key;
        EXPECT_EQ(pay.active, *name != 0) << key;
    }
    RegisterPayment card;
    card.name = QStringLiteral("Κάρτα");
    card.type = 3;
    EXPECT_EQ(card.displayName(), QStringLiteral("Κάρτα:ΠΡΟΦΟΡΤΩΜΕΝΗ"));
}

} // namespace
} // namespace merovan
