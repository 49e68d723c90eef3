#include "interpreter/table_text.h"

#include "greek/register_text.h"

#include <QStringList>

namespace merovan {

namespace {

constexpr int kTextLength = 33;
constexpr int kFirstLength = 20;
constexpr int kSecondLength = 10;

// Cut to its length, unless it is blank.
QString cut(const QString &part, int length)
{
    return part.trimmed().isEmpty() ? part : part.left(length);
}

} // namespace

QString tableText(const QString &text)
{
    const QString converted =
        windowsToRegisterSet(replaceAccentedLetters(toRegisterUpper(text.trimmed().left(kTextLength))));
    if (converted.trimmed().isEmpty())
        return {};
    const QStringList parts = converted.split(QLatin1Char('~'));
    const QString first = cut(parts.value(0), kFirstLength);
    const QString second = cut(parts.value(1), kSecondLength);
    return second.isEmpty() ? QLatin1Char(',') + first : QLatin1Char(',') + second + QStringLiteral(": ") + first;
}

} // namespace merovan
