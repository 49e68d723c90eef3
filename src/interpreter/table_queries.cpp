#include "interpreter/table_queries.h"

#include "core/numeric_text.h"
#include "device/register_link.h"
#include "interpreter/interpreter.h"

#include <QStringList>

#include <optional>

namespace merovan {

namespace {

std::optional<QStringList> ask(Interpreter &interpreter, const QString &command)
{
    const CommandResult answer = interpreter.link().sendCommand(command);
    if (!answer.accepted())
        return std::nullopt;
    return answer.text.split(QLatin1Char(':'));
}

// A field trimmed and without line feeds.
QString field(const QStringList &fields, int number)
{
    return number < fields.size() ? fields[number].trimmed().remove(QLatin1Char('\n')) : QString();
}

// A whole number of at least `least`, or -1.
int numberAtLeast(const QString &text, int least)
{
    return isNumeric(text) && leadingNumber(text) >= least ? wholeNumber<int>(leadingNumber(text)).value_or(-1) : -1;
}

} // namespace

int queryOpenTable(Interpreter &interpreter)
{
    const auto fields = ask(interpreter, QStringLiteral("KX?TO"));
    return fields ? numberAtLeast(field(*fields, 1), 1) : -1;
}

QString queryTableAmount(Interpreter &interpreter, const QString &table)
{
    const auto fields = ask(interpreter, QStringLiteral("KXREP") + table + QStringLiteral("TBL"));
    const QString amount = fields ? field(*fields, 2) : QString();
    return isNumeric(amount) && leadingNumber(amount) >= 0 ? amount : QStringLiteral("-1");
}

QString queryOpenTables(Interpreter &interpreter)
{
    const auto fields = ask(interpreter, QStringLiteral("KXREPTBL"));
    const QString tables = fields ? field(*fields, 1).remove(QLatin1Char(' ')) : QString();
    return tables.isEmpty() ? QStringLiteral("-1") : tables;
}

int receiptAtTableClose(const QString &reply)
{
    return numberAtLeast(field(reply.split(QLatin1Char(':')), 2), 1);
}

} // namespace merovan
