#include "payments/payment_types.h"

#include "record_printer.h"
#include "recording_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

using test::RecordingOperator;

PaymentTypeRecord zeros(qint16 id) { return {id, 0, 0, 0, 0, 0, 0}; }

class PaymentTypesTest : public ::testing::Test {
protected:
    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
    }

    PaymentTypeRecord quietly(qint16 typeNumber)
    {
        PaymentTypeRecord r{typeNumber, 9, 9, 9, 9, 9, 9};
        EXPECT_EQ(readPaymentTypeQuietly(r, path), 0) << typeNumber;
        return r;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("payeft.dat"));
    RecordingOperator op;
};

TEST_F(PaymentTypesTest, Type3IntoAMissingFileIsAWholeRecordAtByte256)
{
    const PaymentTypeRecord saved{3, -32768, 32767, -1, 258, -2, 10};
    ASSERT_EQ(writePaymentType(saved, path), 0);

    const QByteArray bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 3 * 128);
    EXPECT_EQ(bytes.mid(256, 14), QByteArray::fromHex("0300" "0080" "ff7f" "ffff" "0201" "feff" "0a00"));
    EXPECT_EQ(bytes.left(256) + bytes.mid(270), QByteArray(256 + 114, '\0'));
    EXPECT_EQ(quietly(1), zeros(1));
    EXPECT_EQ(quietly(2), zeros(2));
    EXPECT_EQ(readPaymentType(op, 3, path), saved);
    EXPECT_TRUE(op.boxes.empty());
}

TEST_F(PaymentTypesTest, DeletingKeepsTheLengthAndLeavesOnlyTheNumber)
{
    for (qint16 n = 1; n <= 3; ++n)
        ASSERT_EQ(writePaymentType({n, 2, n, -1, 1, 1, 10}, path), 0);
    const QByteArray before = fileBytes();

    ASSERT_EQ(deletePaymentType(2, path), 0);

    const QByteArray after = fileBytes();
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.mid(128, 14), QByteArray::fromHex("0200") + QByteArray(12, '\0'));
    EXPECT_EQ(after.left(128) + after.mid(256), before.left(128) + before.mid(256));

    // Beyond the last record: zeros, card payment off, no message.
    EXPECT_EQ(readPaymentType(op, 7, path), zeros(7));
    EXPECT_TRUE(op.boxes.empty());
    EXPECT_EQ(fileBytes().size(), 3 * 128);
}

TEST_F(PaymentTypesTest, FieldZeroIsThePositionAndAForeignFillerBecomesZeros)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray::fromHex("0900" "0200" "0100" "ffff")) == 8);
    ASSERT_TRUE(file.write(QByteArray(292, '\xEE')) == 292);
    file.close();

    EXPECT_EQ(quietly(1), (PaymentTypeRecord{1, 2, 1, -1, -4370, -4370, -4370}));
    ASSERT_EQ(writePaymentType({1, 2}, path), 0);
    EXPECT_EQ(fileBytes(), QByteArray::fromHex("0100" "0200") + QByteArray(124, '\0') + QByteArray(172, '\xEE'));
}

TEST_F(PaymentTypesTest, ANumberThatIsNoPositionShowsTheMessageAndFailsWrites)
{
    const struct {
        int typeNumber;
        qint16 field0;
    } cases[] = {{0, 0}, {-1, -1}, {32768, 0}, {65537, 0}};
    for (const auto &c : cases) {
        RecordingOperator shown;
        EXPECT_EQ(readPaymentType(shown, c.typeNumber, path), zeros(c.field0)) << c.typeNumber;
        ASSERT_EQ(shown.boxes.size(), 1u) << c.typeNumber;
        EXPECT_EQ(shown.boxes[0].text, fitMessageText(QStringLiteral("Αδυναμία ανάγνωσης παραμέτρων πληρωμών")));
        EXPECT_EQ(shown.boxes[0].style, MsgExclamation | MsgSystemModal);
        EXPECT_EQ(shown.boxes[0].caption, QStringLiteral("Μύνημα Merovan"));
        PaymentTypeRecord r = zeros(c.field0);
        EXPECT_EQ(readPaymentTypeQuietly(r, path), -1) << c.typeNumber;
        EXPECT_EQ(writePaymentType(r, path), -1) << c.typeNumber;
        EXPECT_EQ(deletePaymentType(c.typeNumber, path), -1) << c.typeNumber;
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PaymentTypesTest, AReadOnlyFileFailsEveryOperationAndTurnsTheCardOff)
{
    ASSERT_EQ(writePaymentType({1, 2, 1, -1}, path), 0);
    const QByteArray before = fileBytes();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    EXPECT_EQ(writePaymentType({1, 3, 2}, path), -1);
    EXPECT_EQ(deletePaymentType(1, path), -1);
    PaymentTypeRecord r = zeros(1);
    EXPECT_EQ(readPaymentTypeQuietly(r, path), -1);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(readPaymentType(op, 1, path), zeros(1));
    EXPECT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(writePaymentType({1}, dir.path()), -1);
}

} // namespace
} // namespace merovan
