#include "greek/cp1253.h"
#include "greek/register_text.h"

#include <gtest/gtest.h>

namespace merovan {
namespace {

QByteArray prepared(const QString &text, bool fromCodePage737)
{
    return toCp1253(prepareRegisterText(text, fromCodePage737)).toHex(' ');
}

TEST(RegisterText, PreparesTextForTheRegister)
{
    const struct {
        const char16_t *text;
        bool fromCodePage737;
        const char *registerHex;
    } cases[] = {
        {u"καφές", false, "4b 41 8b 45 66"},
        {u"βγ", false, "42 85"},
        {u"βγ", true, "45 48"}, // the same bytes read as code page 737 are έή
        {u"άέήίόύώ", false, "41 45 48 49 4f 59 8d"},
        {u"ƒƑ", false, "86 86"},
        {u"Σσς", false, "66 66 66"},
        {u"ϊϋΐΰ", false, "da db c0 e0"}, // upper case brings back no accents
        {u"Ab 0-9", false, "41 42 20 30 2d 39"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(prepared(QString::fromUtf16(c.text), c.fromCodePage737), c.registerHex)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(RegisterText, PreparesCodePage737Bytes)
{
    EXPECT_EQ(prepared(fromCp1253(QByteArray::fromHex("A1 98 AD E2 AA")), true), "4b 41 8b 45 66"); // καφές
}

} // namespace
} // namespace merovan
