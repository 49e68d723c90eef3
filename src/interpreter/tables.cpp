#include "interpreter/tables.h"

#include "core/numeric_text.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/line_handler.h"
#include "interpreter/table_parts.h"
#include "interpreter/table_queries.h"

#include <cmath>

namespace merovan {

namespace {

// "ltb": the open tables, for the host.
LineEnd ltbLine(Interpreter &interpreter, Job &, const QString &)
{
    interpreter.appendResult(QStringLiteral("tblList   = ") + queryOpenTables(interpreter));
    return LineEnd::Next;
}

// "rpt": the report of one table, or of all of them when no number is given.
LineEnd rptLine(Interpreter &interpreter, Job &, const QString &line)
{
    const QString table = fieldText(line, fields::rptTable).trimmed();
    if (isNumeric(table)) {
        const QString number = QStringLiteral("%1").arg(std::llround(leadingNumber(table)), 4, 10, QLatin1Char('0'));
        interpreter.send(QStringLiteral("KX99") + number + QStringLiteral("OTR"), true);
        interpreter.appendResult(QStringLiteral("rpt table = ") + number);
    } else {
        if (interpreter.send(QStringLiteral("KX990000OTR"), true).accepted())
            interpreter.appendResult(QStringLiteral("rpt table = ALL"));
    }
    return LineEnd::Next;
}

} // namespace

void installTables(Interpreter &interpreter)
{
    setLineHandler(interpreter, QStringLiteral("TBO"), tboLine);
    setLineHandler(interpreter, QStringLiteral("TBC"), tbcLine);
    setLineHandler(interpreter, QStringLiteral("TBT"), tbtLine);
    setLineHandler(interpreter, QStringLiteral("TPT"), tptLine);
    setLineHandler(interpreter, QStringLiteral("TBS"), tbsLine);
    setLineHandler(interpreter, QStringLiteral("TBE"), tbeLine);
    setLineHandler(interpreter, QStringLiteral("ltb"), ltbLine);
    setLineHandler(interpreter, QStringLiteral("rpt"), rptLine);
    Interpreter *in = &interpreter;
    interpreter.tableAmount = [in](const QString &table) { return queryTableAmount(*in, table); };
}

} // namespace merovan
