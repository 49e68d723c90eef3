#include "greek/cp1253.h"
#include "greek/register_text.h"

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(RegisterText, PreparesTextForTheRegister)
{
    const struct { const char16_t *text; bool fromCodePage737; const char *registerHex; } cases[] = {
        {u"καφές", false, "4b 41 8b 45 66"},
        {u"βγ", true, "45 48"}, // the bytes of βγ read as code page 737 are έή
        {u"άέήίόύώ", false, "41 45 48 49 4f 59 8d"},
        {u"ƒƑ", false, "86 86"},
        {u"ϊϋΐΰ", false, "da db c0 e0"}, // upper case brings back no accents
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(toCp1253(prepareRegisterText(text, c.fromCodePage737)).toHex(' '), c.registerHex)
            << text.toStdString();
    }
}

} // namespace
} // namespace merovan
