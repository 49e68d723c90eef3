#include "control/check_operator.h"

#include "core/register_message.h"

namespace merovan {

namespace {

// A message box keeps its CR line breaks and its padding to 40 characters;
// the report shows it on one line, as written.
QString oneLine(const QString &text) { return QString(text).replace(QLatin1Char('\r'), QLatin1Char(' ')).trimmed(); }

} // namespace

int CheckOperator::messageBox(const QString &text, int, const QString &)
{
    note_(QStringLiteral("message box: ") + oneLine(text));
    return 1;
}

std::optional<QString> CheckOperator::inputBox(const QString &prompt)
{
    note_(QStringLiteral("input box (cancelled): ") + oneLine(prompt));
    return std::nullopt;
}

void CheckOperator::displayRegisterMessage(const RegisterMessagePtr &window)
{
    note_(QStringLiteral("register message window: %1: %2").arg(window->caption(), oneLine(window->message())));
}

void CheckOperator::fatal(const QString &text) { note_(QStringLiteral("message: ") + oneLine(text)); }

void CheckOperator::startDetached(const QString &program, const QStringList &arguments)
{
    note_(QStringLiteral("would start: ") + (QStringList{program} + arguments).join(QLatin1Char(' ')));
}

} // namespace merovan
