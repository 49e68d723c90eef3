#include "greek/cp1253.h"
#include "greek/greek_conversion.h"

#include <QMap>

#include <gtest/gtest.h>

namespace merovan {
namespace {

using ByteMap = QMap<int, int>; // Windows-1253 byte in -> byte out

// Windows-1253 byte of each code page 737 letter -> its code page 737 byte,
// written as runs of consecutive bytes.
ByteMap dosLetters(const QString &skip)
{
    const std::pair<int, const char16_t *> runs[] = {
        {0x80, u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ"}, {0x98, u"αβγδεζηθικλμνξοπρσςτυφχψ"}, {0xE0, u"ωάέήϊίόύϋώΆΈΉΊΌΎΏ"}};
    ByteMap letters;
    for (const auto &[first, text] : runs) {
        const QString run = QString::fromUtf16(text);
        for (qsizetype i = 0; i < run.size(); ++i) {
            if (!skip.contains(run[i]))
                letters.insert(cp1253Byte(run[i]), first + int(i));
        }
    }
    return letters;
}

// Converts each of the 256 bytes alone: keys become their value, other bytes pass.
template <class Conversion>
void expectTable(bool direction, const ByteMap &table, qsizetype entries)
{
    ASSERT_EQ(table.size(), entries);
    for (int b = 0; b < 256; ++b) {
        Conversion conversion;
        conversion.convert(QString(cp1253Char(uchar(b))), direction);
        EXPECT_EQ(toCp1253(conversion.converted()), QByteArray(1, char(table.value(b, b)))) << std::hex << b;
    }
}

TEST(DosGreekConversion, WindowsGreekToCodePage737)
{
    expectTable<DosGreekConversion>(false, dosLetters(QString::fromUtf16(u"ςϊϋ")), 62);
}

TEST(GreekConversion, CodePage737ToWindowsGreekInBothClasses)
{
    const ByteMap letters = dosLetters(QString::fromUtf16(u"ϊϋ"));
    ByteMap table;
    for (auto it = letters.begin(); it != letters.end(); ++it)
        table.insert(it.value(), it.key());
    expectTable<DosGreekConversion>(true, table, 63);
    expectTable<RegisterCharsetConversion>(true, table, 63);
}

TEST(RegisterCharsetConversion, WindowsGreekToTheRegisterSet)
{
    const std::pair<const char16_t *, const char *> rows[] = {
        {u"ΑΒΓΔΕΖΗΘ", "41 42 85 86 45 5A 48 87"}, {u"ΙΚΛΜΝΞΟΠ", "49 4B 88 4D 4E 89 4F 8A"},
        {u"ΡΣΤΥΦΧΨΩ", "50 66 54 59 8B 58 8C 8D"}, {u"αβγδεζηθ", "D6 D7 D8 DD DE E0 E1 E2"},
        {u"ικλμνξοπ", "E3 E4 E5 E6 E7 E8 E9 EA"}, {u"ρσςτυφχψω", "EB 66 66 EE F2 F3 F4 F5 FA"},
        {u"άέήίόύϋώ", "9B 9D 9E 9F A2 A3 FB FA"}, {u"ΆΈΉΊΌΎΏ", "41 45 48 49 4F 59 8D"},
    };
    ByteMap table;
    for (const auto &[letters, hex] : rows) {
        const QByteArray bytes = QByteArray::fromHex(hex);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            table.insert(cp1253Byte(QString::fromUtf16(letters)[i]), uchar(bytes[i]));
    }
    expectTable<RegisterCharsetConversion>(false, table, 64);
}

} // namespace
} // namespace merovan
