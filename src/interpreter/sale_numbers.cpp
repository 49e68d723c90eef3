#include "interpreter/sale_numbers.h"

#include "core/numeric_text.h"

#include <cmath>

namespace merovan {

namespace {

// The text as the numeric reader takes it: "." as the separator.
QString withPoint(const QString &text, QChar separator)
{
    QString out = text;
    return out.replace(separator, QLatin1Char('.'));
}

QString digitsOnly(const QString &text)
{
    QString out = text;
    return out.remove(QLatin1Char('.')).remove(QLatin1Char(',')).remove(QLatin1Char(' '));
}

} // namespace

QString normaliseNumber(const QString &text, int decimals, QChar separator)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('.')))
        return text + separator + QString(decimals, QLatin1Char('0'));
    QString out = text;
    return out.replace(QLatin1Char(','), separator).replace(QLatin1Char('.'), separator);
}

bool isLocaleNumber(const QString &text, QChar separator) { return isNumeric(withPoint(text, separator)); }

double localeValue(const QString &text, QChar separator) { return leadingNumber(withPoint(text, separator)); }

QString hundredths(const QString &price, QChar separator)
{
    // Not a number, or more than an amount field holds: sent as written,
    // without ".", "," and blanks, so that the register refuses the line;
    // an item is never sold at a price the job did not give.
    if (!isLocaleNumber(price, separator))
        return digitsOnly(price);
    const auto value = wholeNumber<qint32>(std::round(localeValue(price, separator) * 100));
    return value ? QString::number(*value) : digitsOnly(price);
}

void stripNumberPunctuation(QString &price, QString &discount, QString &surcharge)
{
    if (!price.isEmpty() && price != QStringLiteral("0"))
        price = digitsOnly(price);
    if (!discount.isEmpty()) {
        price = discount.trimmed();
        discount = digitsOnly(price);
    }
    if (!surcharge.isEmpty()) {
        price = surcharge.trimmed();
        surcharge = digitsOnly(price);
    }
}

QString textLead(const QString &text)
{
    const QString trimmed = text.trimmed();
    const bool digitFirst = !trimmed.isEmpty() && trimmed.front() >= QLatin1Char('0') &&
                            trimmed.front() <= QLatin1Char('9');
    return digitFirst ? QLatin1Char(' ') + trimmed : trimmed;
}

std::optional<QString> quantityCommand(const QString &quantity, QChar separator)
{
    QString written = quantity;
    if (written.size() > 3 && !written.contains(separator))
        written.insert(written.size() - 3, separator);
    const QString trimmed = written.trimmed();
    const QString whole = trimmed.section(separator, 0, 0);
    const QString fraction = trimmed.section(separator, 1, 1);
    if (!isNumeric(fraction) || leadingNumber(whole) < 0 || localeValue(trimmed, separator) == 1.0)
        return std::nullopt;
    const QString decimals = leadingNumber(fraction) == 0 ? QStringLiteral("000") : fraction;
    return QStringLiteral("KX") + whole + QLatin1Char('.') + decimals + QStringLiteral("* ");
}

} // namespace merovan
