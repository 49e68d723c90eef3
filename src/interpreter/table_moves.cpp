#include "core/numeric_text.h"
#include "device/register_link.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/table_parts.h"

#include <limits>

namespace merovan {

namespace {

constexpr int kWrongNumber = -1;

// The whole part of a table field, or -1 when it is not a number or does
// not fit in 16 bits.
int tableNumber(const QString &field)
{
    if (!isNumeric(field))
        return kWrongNumber;
    const double value = leadingNumber(field);
    using Limits = std::numeric_limits<qint16>;
    return value >= Limits::min() && value < Limits::max() + 1.0 ? static_cast<int>(value) : kWrongNumber;
}

struct Move {
    int from;
    int to;
    bool valid() const { return from != kWrongNumber && to != kWrongNumber; }
    QString command() const { return QStringLiteral("KXFROM%1TO%2").arg(from).arg(to); }
};

Move moveOf(const QString &line) { return {tableNumber(fieldText(line, fields::moveSource)), tableNumber(fieldText(line, fields::moveTarget))}; }

// Table work waits until the register has no receipt open.
void waitUntilNoReceipt(Interpreter &interpreter) { interpreter.link().waitUntilErrorCleared(-255, 0); }

} // namespace

// "TBT": moves a whole table onto another.
LineEnd tbtLine(Interpreter &interpreter, Job &, const QString &line)
{
    const Move move = moveOf(line);
    if (!move.valid())
        return LineEnd::WrongTable;
    if (!interpreter.send(QStringLiteral("KXTRF")).accepted())
        return LineEnd::Stop;
    return interpreter.send(move.command()).accepted() ? LineEnd::Next : LineEnd::Stop;
}

// "TPT": moves part of a table; the items of the lines that follow are the
// part, until "TBC" or the end of the job.
LineEnd tptLine(Interpreter &interpreter, Job &, const QString &line)
{
    const Move move = moveOf(line);
    if (!move.valid())
        return wrongTableNumber(interpreter);
    waitUntilNoReceipt(interpreter);
    InterpreterState &state = interpreter.state;
    if (!interpreter.send(QStringLiteral("KXTRF")).accepted()) {
        state.tableTransferMode = false;
        return LineEnd::Stop;
    }
    if (!interpreter.send(move.command() + QStringLiteral("PAR")).accepted())
        return LineEnd::Stop;
    state.tableTransferMode = true;
    return LineEnd::Next;
}

// "TBS": starts paying part of a table; the items of the lines that follow
// are the part, and the first payment ends their selection.
LineEnd tbsLine(Interpreter &interpreter, Job &, const QString &line)
{
    const int table = tableNumber(fieldText(line, fields::tbsTable));
    if (table == kWrongNumber)
        return wrongTableNumber(interpreter);
    waitUntilNoReceipt(interpreter);
    InterpreterState &state = interpreter.state;
    if (!interpreter.send(QStringLiteral("KXPPAY")).accepted()) {
        state.partialPaymentMode = false;
        return LineEnd::Stop;
    }
    if (!interpreter.send(QStringLiteral("KXFROM") + QString::number(table)).accepted())
        return LineEnd::Stop;
    if (!state.partialPaymentMode)
        state.transferRefusals = 0;
    state.partialPaymentMode = true;
    return LineEnd::Next;
}

// "TBE": the end of a table operation leaves no receipt open.
LineEnd tbeLine(Interpreter &interpreter, Job &, const QString &)
{
    waitUntilNoReceipt(interpreter);
    return LineEnd::Next;
}

} // namespace merovan
