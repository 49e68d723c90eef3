#include "settings/vat_table.h"

#include "qt_printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <bit>

namespace merovan {
namespace {

QByteArray le(double value)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(std::bit_cast<quint64>(value), bytes.data());
    return bytes;
}

class VatTableTest : public ::testing::Test {
protected:
    void writeBytes(const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("vats.dat"));
};

TEST_F(VatTableTest, SaveWritesFortyLittleEndianBytesAndKeepsALongerFilesTail)
{
    ASSERT_EQ(saveVatRates(path, {24, 13, 6.5, 0, 17}), 0);
    EXPECT_EQ(fileBytes(), le(24) + le(13) + le(6.5) + le(0) + le(17));
    EXPECT_EQ(fileBytes().left(8), QByteArray::fromHex("0000000000003840"));

    writeBytes(QByteArray(45, 'x'));
    ASSERT_EQ(saveVatRates(path, {1, 2, 3, 4, 5}), 0);
    EXPECT_EQ(fileBytes(), le(1) + le(2) + le(3) + le(4) + le(5) + "xxxxx");

    EXPECT_EQ(saveVatRates(dir.path(), {}), -1);
}

TEST_F(VatTableTest, ReadsOneRateAndZeroForAnythingMissing)
{
    EXPECT_EQ(readVatRate(path, 0), 0);
    EXPECT_FALSE(QFile::exists(path));

    // Category E is cut after half its bytes; the missing ones read as zeros.
    writeBytes(le(24) + le(13) + le(6.5) + le(9) + le(0.1).left(4));
    const double rates[] = {0, 24, 13, 6.5, 9, std::bit_cast<double>(quint64(0x9999999A)), 0};
    for (int index = -1; index <= 5; ++index)
        EXPECT_EQ(readVatRate(path, index), rates[index + 1]) << "index " << index;
}

TEST_F(VatTableTest, BoxesShowTheRatesInTheLocaleFormWithZerosForWhatIsMissing)
{
    EXPECT_EQ(vatBoxTexts(path, QLatin1Char(',')), QStringList(5, QStringLiteral("0")));
    EXPECT_EQ(fileBytes(), QByteArray()) << "a missing file is created empty";

    writeBytes(le(24) + le(6.5) + le(-1.25) + le(130));
    EXPECT_EQ(vatBoxTexts(path, QLatin1Char(',')), (QStringList{"24", "6,5", "-1,25", "130", "0"}));
    EXPECT_EQ(vatBoxTexts(path, QLatin1Char('.')), (QStringList{"24", "6.5", "-1.25", "130", "0"}));

    EXPECT_EQ(vatBoxTexts(dir.path(), QLatin1Char(',')), QStringList(5, QStringLiteral("0")));
}

TEST(VatCollect, TakesBothSeparatorsAndStopsAtTheFirstBoxThatIsNoNumber)
{
    const struct {
        char separator;
        QStringList boxes;
        int result;
        QStringList after;
        VatRates rates;
    } cases[] = {
        {',', {"24", "6.5", "6,5", " 13 ", "-2.25"}, 0, {"24", "6,5", "6,5", " 13 ", "-2,25"}, {24, 6.5, 6.5, 13, -2.25}},
        {'.', {"24", "6.5", "6,5", "130", "0"}, 0, {"24", "6.5", "6.5", "130", "0"}, {24, 6.5, 6.5, 130, 0}},
        {',', {"24.0", "13.5", "", "x.5", "1.5"}, -1, {"24,0", "13,5", "", "x.5", "1.5"}, {24, 13.5, -1, -1, -1}},
        {',', {"1.2.3", "1", "1", "1", "1"}, -1, {"1,2,3", "1", "1", "1", "1"}, {-1, -1, -1, -1, -1}},
        {',', {"1", "2", "3", "4", "nan"}, -1, {"1", "2", "3", "4", "nan"}, {1, 2, 3, 4, -1}},
        {',', {"1", "2", "3", "4"}, -1, {"1", "2", "3", "4"}, {1, 2, 3, 4, -1}},
    };
    for (const auto &c : cases) {
        QStringList boxes = c.boxes;
        VatRates rates{-1, -1, -1, -1, -1};
        EXPECT_EQ(collectVatRates(boxes, rates, QLatin1Char(c.separator)), c.result) << ::testing::PrintToString(c.boxes);
        EXPECT_EQ(boxes, c.after);
        EXPECT_EQ(rates, c.rates) << ::testing::PrintToString(c.boxes);
    }
}

} // namespace
} // namespace merovan
