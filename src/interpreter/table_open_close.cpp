#include "core/clock.h"
#include "core/numeric_text.h"
#include "core/operator.h"
#include "device/register_link.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/table_parts.h"
#include "interpreter/table_queries.h"
#include "interpreter/table_text.h"


namespace merovan {

namespace {

// The register needs these moments between table commands.
constexpr int kBeforeOpenMs = 2000;
constexpr int kAfterCloseMs = 1500;
constexpr int kAfterOpenMs = 1000;

const QString kWrongTable = QStringLiteral("Λάθος Αριθμός Τραπεζιού");

} // namespace

LineEnd wrongTableNumber(Interpreter &interpreter)
{
    showMessage(interpreter.op(), kWrongTable, MsgInformation);
    return LineEnd::Stop;
}

// "TBO": closes whatever table is open, then opens this one with its text
// and checks that the register now has it open.
LineEnd tboLine(Interpreter &interpreter, Job &job, const QString &line)
{
    job.tableNumber = fieldText(line, fields::tboTable).trimmed();
    job.tableText = tableText(fieldText(line, fields::tboText));
    if (!isNumeric(job.tableNumber)) {
        PlainMessage(interpreter.op(), kWrongTable, MsgInformation);
        return LineEnd::Stop;
    }
    Clock &clock = interpreter.clock();
    clock.pause(kBeforeOpenMs);
    if (queryOpenTable(interpreter) >= 1) {
        interpreter.send(QStringLiteral("KXTO"), true);
        clock.pause(kAfterCloseMs);
    }
    interpreter.link().waitUntilErrorCleared(-255, 0);
    const QString open = QStringLiteral("KX") + job.tableNumber + QStringLiteral("TO") + job.tableText;
    const bool opened = interpreter.send(open, true).accepted();
    clock.pause(kAfterOpenMs);
    if (!opened || queryOpenTable(interpreter) != wholeNumber<int>(leadingNumber(job.tableNumber)).value_or(-1))
        return LineEnd::Stop;
    return LineEnd::Next;
}

// "TBC": closes the open table, ending a table transfer first; with none
// open, the reply to "KXCL" tells the number of the receipt that settled
// the table.
LineEnd tbcLine(Interpreter &interpreter, Job &job, const QString &line)
{
    if (!isNumeric(fieldText(line, fields::tbcTable).trimmed()))
        return wrongTableNumber(interpreter);
    InterpreterState &state = interpreter.state;
    if (queryOpenTable(interpreter) < 1) {
        if (const CommandResult cleared = interpreter.send(QStringLiteral("KXCL")); cleared.accepted())
            job.tableReceipt = wholeNumber<qint16>(receiptAtTableClose(cleared.text)).value_or(-1);
    } else if (state.tableTransferMode) {
        interpreter.send(QStringLiteral("KXTRFNO"));
        interpreter.send(QStringLiteral("KXTRFOK"));
        state.tableTransferMode = false;
    } else {
        interpreter.send(QStringLiteral("KXTO"));
    }
    return LineEnd::Next;
}

} // namespace merovan
