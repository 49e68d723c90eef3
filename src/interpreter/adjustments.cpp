#include "core/numeric_text.h"
#include "interpreter/interpreter.h"
#include "interpreter/sale_steps.h"

namespace merovan {

namespace {

// What each kind of adjustment on the last item sends: the field that
// holds its value, whether the minus key goes first, and the key after it.
struct ItemAdjustment {
    LineKind kind;
    QString SaleLine::*field;
    bool minus;
    const char *key;
};

constexpr ItemAdjustment kItemAdjustments[] = {
    {KindItemPercentDiscount, &SaleLine::discountPercent, true, "% "},
    {KindItemPercentSurcharge, &SaleLine::surchargePercent, false, "% "},
    {KindItemDiscount, &SaleLine::discount, true, "GE"},
    {KindItemSurcharge, &SaleLine::surcharge, false, "GE"},
};

} // namespace

bool adjustmentWorthSending(const QString &field) { return !field.isEmpty() && leadingNumber(field) != 0; }

void sendSubtotalAdjustment(Interpreter &interpreter, SaleLine &sale)
{
    if (!sale.discount.isEmpty() && leadingNumber(sale.discount) > 0) {
        interpreter.send(QStringLiteral("KXST"));
        interpreter.send(QStringLiteral("KXST"));
        interpreter.send(QStringLiteral("KX- "));
        interpreter.send(QStringLiteral("KX") + sale.discount + QStringLiteral("GE"));
    }
    if (!sale.surcharge.isEmpty()) {
        interpreter.send(QStringLiteral("KXST"));
        interpreter.send(QStringLiteral("KX") + sale.surcharge + QStringLiteral("GE"));
    }
}

void sendItemAdjustment(Interpreter &interpreter, SaleLine &sale)
{
    for (const ItemAdjustment &adjustment : kItemAdjustments) {
        const QString &value = sale.*adjustment.field;
        if (adjustment.kind != sale.kind || !adjustmentWorthSending(value))
            continue;
        if (adjustment.minus)
            interpreter.send(QStringLiteral("KX- "));
        interpreter.send(QStringLiteral("KX") + value + QLatin1String(adjustment.key) + sale.text);
    }
    sale.kind = 0;
}

} // namespace merovan
