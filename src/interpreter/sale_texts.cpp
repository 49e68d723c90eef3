#include "interpreter/sale_texts.h"

#include "greek/greek_conversion.h"
#include "greek/register_text.h"

namespace merovan {

namespace {

// Accents replaced, upper case, the register's set: the steps every
// printed text ends with.
QString finishRegisterText(const QString &windowsText)
{
    return windowsToRegisterSet(toRegisterUpper(replaceAccentedLetters(windowsText)));
}

} // namespace

QString adjustmentText(const QString &text) { return finishRegisterText(codePage737ToWindows(text)); }

QString commentText(const QString &text) { return finishRegisterText(toRegisterUpper(text)); }

QString footerText(const QString &text)
{
    RegisterCharsetConversion conversion;
    conversion.convert(toRegisterUpper(text), true);
    return finishRegisterText(conversion.converted());
}

} // namespace merovan
