#include "greek/cp1253.h"
#include "greek/oem_text.h"

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(Cp1253, EveryByteSurvivesARoundTripAndUndefinedBytesDecodeAsWindowsDoes)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(toCp1253(fromCp1253(all)), all);
    for (char b : QByteArray::fromHex("81 88 8A 8C 8D 8E 8F 90 98 9A 9C 9D 9E 9F"))
        EXPECT_EQ(fromCp1253(QByteArray(1, b)), QString(QChar(uchar(b))));
    EXPECT_EQ(fromCp1253(QByteArray::fromHex("AA D2 FF")), QString::fromUtf16(u"\uF8F9\uF8FA\uF8FB"));
}

TEST(OemToAnsi, ReadsCodePage737WithoutNulsAndWithoutALengthLimit)
{
    const std::pair<const char *, const char16_t *> cases[] = {
        {"8A 8F 91 8B", u"ΛΠΣΜ"}, {"41 00 42 00", u"AB"},
        {"E4 E8 F4 F5", u"ϊϋΪΫ"},       // left alone by DosGreekConversion
        {"C4 B3 DB FF", u"─│█\u00A0"}, // box drawing kept as Unicode
    };
    for (const auto &[oemHex, text] : cases)
        EXPECT_EQ(oemToAnsi(QByteArray::fromHex(oemHex)), QString::fromUtf16(text)) << oemHex;
    EXPECT_EQ(oemToAnsi(QByteArray(300, ' ') + "\x8A"), QString(300, QLatin1Char(' ')) + QChar(u'Λ'));
}

} // namespace
} // namespace merovan
