#include "interpreter/vat_category.h"

#include "core/numeric_text.h"
#include "greek/cp1253.h"
#include "greek/oem_text.h"
#include "interpreter/sale_numbers.h"
#include "settings/vat_table.h"

#include <cmath>

namespace merovan {

namespace {

constexpr int kCategories = 5;

QString twoDecimals(double rate) { return QString::number(rate, 'f', 2); }

// What follows a marker: "-" and a two-digit number name the category.
QString feeCategory(const QString &afterMarker)
{
    const QString number = afterMarker.mid(1, 2);
    if (afterMarker.startsWith(QLatin1Char('-')) && isNumeric(number))
        return QString::number(wholeNumber<qint64>(std::floor(leadingNumber(number))).value_or(0));
    return QStringLiteral("8");
}

} // namespace

QString categoryForRate(const QString &rate, QChar separator)
{
    if (!isLocaleNumber(rate, separator))
        return {};
    const QString wanted = twoDecimals(localeValue(rate, separator));
    QString category;
    for (int index = 0; index < kCategories; ++index) {
        if (twoDecimals(readVatRate(kVatRatesFile, index)) == wanted)
            category = QString::number(index + 1);
    }
    return category;
}

QString environmentalFeeCategory(const QString &text, const QString &defaultCategory)
{
    // A description typed in DOS Greek shows the marker only when its bytes
    // are read as code page 737.
    const QString dosReading = oemToAnsi(toCp1253(text));
    for (const QString &marker : {QStringLiteral("ΛΠΣΜ"), QStringLiteral("ΛΠΣM")}) {
        for (const QString *reading : {&text, &dosReading}) {
            const qsizetype at = reading->indexOf(marker);
            if (at >= 0)
                return feeCategory(reading->mid(at + marker.size()));
        }
    }
    return defaultCategory;
}

} // namespace merovan
