#include "money.h"

namespace merovan::sim {

namespace {

qint64 roundedQuotient(qint64 numerator, qint64 denominator)
{
    const qint64 half = denominator / 2;
    return (numerator >= 0 ? numerator + half : numerator - half) / denominator;
}

QString formatFixed(qint64 value, int decimals, qint64 scale)
{
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const qint64 magnitude = value < 0 ? -value : value;
    return sign + QString::number(magnitude / scale) + QLatin1Char(',')
        + QString::number(magnitude % scale).rightJustified(decimals, QLatin1Char('0'));
}

} // namespace

qint64 extendedAmount(qint64 price, qint64 quantity)
{
    return roundedQuotient(price * quantity, 1000);
}

qint64 percentOf(qint64 amount, qint64 percent)
{
    return roundedQuotient(amount * percent, 10000);
}

QString formatAmount(qint64 hundredths)
{
    return formatFixed(hundredths, 2, 100);
}

QString formatQuantity(qint64 thousandths)
{
    if (thousandths % 1000 == 0)
        return QString::number(thousandths / 1000);
    return formatFixed(thousandths, 3, 1000);
}

} // namespace merovan::sim
