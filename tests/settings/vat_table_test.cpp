#include "settings/vat_table.h"

#include "qt_printers.h"
#include "settings_files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>

namespace merovan {
namespace {

using test::readFile;
using test::vatBytes;
using test::writeFile;

TEST(VatTable, SaveWritesFortyLittleEndianBytesAndKeepsALongerFilesTail)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vats.dat"));
    ASSERT_EQ(saveVatRates(path, {24, 13, 6.5, 0, 17}), 0);
    EXPECT_EQ(readFile(path), vatBytes({24, 13, 6.5, 0, 17}));
    EXPECT_EQ(readFile(path).left(8), QByteArray::fromHex("0000000000003840"));

    ASSERT_TRUE(writeFile(path, QByteArray(45, 'x')));
    ASSERT_EQ(saveVatRates(path, {1, 2, 3, 4, 5}), 0);
    EXPECT_EQ(readFile(path), vatBytes({1, 2, 3, 4, 5}) + "xxxxx");

    EXPECT_EQ(saveVatRates(dir.path(), {}), -1);
}

TEST(VatTable, ReadsOneRateAndZeroForAnythingMissing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vats.dat"));
    EXPECT_EQ(readVatRate(path, 0), 0);
    EXPECT_FALSE(QFile::exists(path));

    // Category E is cut after half its bytes; the missing ones read as zeros.
    ASSERT_TRUE(writeFile(path, vatBytes({24, 13, 6.5, 9, 0.1}).left(36)));
    const double rates[] = {0, 24, 13, 6.5, 9, std::bit_cast<double>(quint64(0x9999999A)), 0};
    for (int index = -1; index <= 5; ++index)
        EXPECT_EQ(readVatRate(path, index), rates[index + 1]) << "index " << index;
}

TEST(VatCollect, TakesBothSeparatorsAndStopsAtTheFirstBoxThatIsNoNumber)
{
    const struct { char separator; QStringList boxes; int result; QStringList after; VatRates rates; } cases[] = {
        {',', {"24", "6.5", "6,5", " 13 ", "-2.5"}, 0, {"24", "6,5", "6,5", " 13 ", "-2,5"}, {24, 6.5, 6.5, 13, -2.5}},
        {'.', {"24", "6.5", "6,5", "130", "0"}, 0, {"24", "6.5", "6.5", "130", "0"}, {24, 6.5, 6.5, 130, 0}},
        {',', {"24.0", "13.5", "", "x.5", "1.5"}, -1, {"24,0", "13,5", "", "x.5", "1.5"}, {24, 13.5, -1, -1, -1}},
        {',', {"1.2.3", "1", "1", "1", "1"}, -1, {"1,2,3", "1", "1", "1", "1"}, {-1, -1, -1, -1, -1}},
        {',', {"1", "2", "3", "4", "nan"}, -1, {"1", "2", "3", "4", "nan"}, {1, 2, 3, 4, -1}},
    };
    for (const auto &c : cases) {
        QStringList boxes = c.boxes;
        VatRates rates{-1, -1, -1, -1, -1};
        EXPECT_EQ(collectVatRates(boxes, rates, QLatin1Char(c.separator)), c.result) << c.boxes.join('|').toStdString();
        EXPECT_EQ(boxes, c.after);
        EXPECT_EQ(rates, c.rates) << c.boxes.join('|').toStdString();
    }
}

} // namespace
} // namespace merovan
