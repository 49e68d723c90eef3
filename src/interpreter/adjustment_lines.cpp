#include "core/numeric_text.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_file.h"
#include "interpreter/sale_numbers.h"
#include "interpreter/sale_steps.h"
#include "interpreter/sale_texts.h"

namespace merovan {

LineEnd disLine(Interpreter &interpreter, Job &job, const QString &line)
{
    SaleLine &sale = job.sale;
    sale.discount = cols(line, 7, 8).trimmed();
    calc(sale.price, sale.discount, sale.addon);
    // A leading "-" turns the discount into a surcharge.
    if (sale.discount.startsWith(QLatin1Char('-'))) {
        sale.addon = sale.discount.mid(1, 7);
        sale.discount.clear();
        calc(sale.price, sale.discount, sale.addon);
    }
    sale.linetype = KindSubtotalAdjustment;
    interpreter.comms(job, sale);
    return LineEnd::Next;
}

LineEnd modLine(Interpreter &interpreter, Job &job, const QString &line)
{
    QString value = cols(line, 7, 9).trimmed().remove(QLatin1Char(',')).remove(QLatin1Char('.'));
    const bool percent = value.endsWith(QLatin1Char('%'));
    if (percent)
        value.chop(1);
    if (!isNumeric(value))
        return LineEnd::Next;

    SaleLine &sale = job.sale;
    sale.text = job.settings.ecrt == QStringLiteral("pos21") ? QString() : adjustmentText(cols(line, 17, 24).trimmed());

    // A leading "-" makes a discount, otherwise a surcharge.
    const bool minus = value.startsWith(QLatin1Char('-'));
    const QString digits = minus ? value.mid(1, 8) : value;
    if (percent && minus) {
        sale.percentdis = digits;
        sale.linetype = KindItemPercentDiscount;
    } else if (percent) {
        sale.percentadd = digits;
        sale.linetype = KindItemPercentSurcharge;
    } else if (minus) {
        sale.discount = digits.trimmed();
        sale.linetype = KindItemDiscount;
    } else {
        sale.addon = digits;
        sale.linetype = KindItemSurcharge;
    }
    if (percent && !adjustmentWorthSending(digits))
        return LineEnd::Next;
    interpreter.comms(job, sale);
    return LineEnd::Next;
}

} // namespace merovan
