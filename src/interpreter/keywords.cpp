#include "interpreter/keywords.h"

#include "interpreter/interpreter.h"
#include "interpreter/other_commands.h"
#include "interpreter/payments.h"
#include "interpreter/sale_lines.h"
#include "interpreter/tables.h"

namespace merovan {

void installKeywords(Interpreter &interpreter)
{
    installSaleLines(interpreter);
    installPayments(interpreter);
    installTables(interpreter);
    installOtherCommands(interpreter);
}

} // namespace merovan
