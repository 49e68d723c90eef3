#include "core/numeric_text.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/sale_numbers.h"
#include "interpreter/sale_steps.h"
#include "interpreter/sale_texts.h"

namespace merovan {

LineEnd disLine(Interpreter &interpreter, Job &job, const QString &line)
{
    SaleLine &sale = job.sale;
    sale.discount = fieldText(line, fields::disAmount).trimmed();
    stripNumberPunctuation(sale.price, sale.discount, sale.surcharge);
    // A leading "-" turns the discount into a surcharge.
    if (sale.discount.startsWith(QLatin1Char('-'))) {
        sale.surcharge = sale.discount.mid(1, 7);
        sale.discount.clear();
        stripNumberPunctuation(sale.price, sale.discount, sale.surcharge);
    }
    sale.kind = KindSubtotalAdjustment;
    interpreter.sendSaleLine(job, sale);
    return LineEnd::Next;
}

LineEnd modLine(Interpreter &interpreter, Job &job, const QString &line)
{
    QString value = fieldText(line, fields::modValue).trimmed().remove(QLatin1Char(',')).remove(QLatin1Char('.'));
    const bool percent = value.endsWith(QLatin1Char('%'));
    if (percent)
        value.chop(1);
    if (!isNumeric(value))
        return LineEnd::Next;

    SaleLine &sale = job.sale;
    const bool textless = job.settings.registerType == RegisterType::Poseidon21;
    sale.text = textless ? QString() : adjustmentText(fieldText(line, fields::modText).trimmed());

    // A leading "-" makes a discount, otherwise a surcharge.
    const bool minus = value.startsWith(QLatin1Char('-'));
    const QString digits = minus ? value.mid(1, 8) : value;
    if (percent && minus) {
        sale.discountPercent = digits;
        sale.kind = KindItemPercentDiscount;
    } else if (percent) {
        sale.surchargePercent = digits;
        sale.kind = KindItemPercentSurcharge;
    } else if (minus) {
        sale.discount = digits.trimmed();
        sale.kind = KindItemDiscount;
    } else {
        sale.surcharge = digits;
        sale.kind = KindItemSurcharge;
    }
    if (percent && !adjustmentWorthSending(digits))
        return LineEnd::Next;
    interpreter.sendSaleLine(job, sale);
    return LineEnd::Next;
}

} // namespace merovan
