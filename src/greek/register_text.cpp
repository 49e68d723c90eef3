#include "greek/register_text.h"

#include "greek/cp1253.h"
#include "greek/greek_conversion.h"

namespace merovan {

QString codePage737ToWindows(const QString &text)
{
    DosGreekConversion conversion;
    conversion.convert(text, true);
    return conversion.converted();
}

QString replaceAccentedLetters(const QString &text)
{
    static constexpr struct {
        char16_t accented;
        char16_t plain;
    } kReplacements[] = {
        {u'ά', u'A'}, {u'έ', u'E'}, {u'ή', u'H'}, {u'ί', u'I'},
        {u'ό', u'O'}, {u'ύ', u'Y'}, {u'ώ', u'Ω'},
    };
    QString out = text;
    for (const auto &r : kReplacements)
        out.replace(QChar(r.accented), QChar(r.plain));
    return out;
}

QString replaceFlorinWithDelta(const QString &text)
{
    QString out = text;
    out.replace(cp1253Char(0x83), QChar(u'Δ'), Qt::CaseInsensitive);
    return out;
}

// QString::toUpper would spell ΐ and ΰ as a capital and two combining
// accents, characters that Windows-1253 does not have; the simple mapping
// keeps one character for one. So ϊ and ϋ become Ϊ and Ϋ (bytes DA and DB,
// which the register set passes), ς becomes Σ, and ΐ and ΰ, which have no
// capital, stay as they are.
QString toRegisterUpper(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = c.toUpper();
    return out;
}

QString windowsToRegisterSet(const QString &text)
{
    RegisterCharsetConversion conversion;
    conversion.convert(text, false);
    return conversion.converted();
}

QString prepareRegisterText(const QString &text, bool fromCodePage737)
{
    const QString windows = fromCodePage737 ? codePage737ToWindows(text) : text;
    return windowsToRegisterSet(toRegisterUpper(replaceFlorinWithDelta(replaceAccentedLetters(windows))));
}

} // namespace merovan
