#include "interpreter/sale_lines.h"

#include "interpreter/interpreter.h"
#include "interpreter/line_handler.h"
#include "interpreter/sale_steps.h"

namespace merovan {

void installSaleLines(Interpreter &interpreter)
{
    setLineHandler(interpreter, QStringLiteral("PLU"), pluLine);
    setLineHandler(interpreter, QStringLiteral("dis"), disLine);
    setLineHandler(interpreter, QStringLiteral("mod"), modLine);
    setLineHandler(interpreter, QStringLiteral("com"), comLine);
    setLineHandler(interpreter, QStringLiteral("frt"), frtLine);
    setLineHandler(interpreter, QStringLiteral("foo"), fooLine);

    Interpreter *in = &interpreter;
    interpreter.setKindHandler(KindItem, [in](Job &job, SaleLine &sale) { sendItem(*in, job, sale); });
    interpreter.setKindHandler(KindSubtotalAdjustment,
                               [in](Job &, SaleLine &sale) { sendSubtotalAdjustment(*in, sale); });
    for (const int kind : {KindItemPercentDiscount, KindItemPercentSurcharge, KindItemDiscount, KindItemSurcharge})
        interpreter.setKindHandler(kind, [in](Job &, SaleLine &sale) { sendItemAdjustment(*in, sale); });

    interpreter.printFooter = [in](Job &job) { printFooter(*in, job); };
}

} // namespace merovan
