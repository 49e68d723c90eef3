#include "control/dry_run_register.h"

#include <utility>

namespace merovan {

DryRunClock::DryRunClock() : start_(QDateTime::currentDateTime()), separator_(SystemClock().decimalSeparator()) {}

AcceptingTransport::AcceptingTransport(DryRunClock &clock, std::function<void(const QString &)> onCommand)
    : clock_(clock), onCommand_(std::move(onCommand))
{
}

bool AcceptingTransport::send(const QString &text)
{
    QString command = text;
    if (command.endsWith(QStringLiteral("\r\n")))
        command.chop(2);
    onCommand_(command);
    reply_ = QStringLiteral("00 OK\r\x04");
    return true;
}

QString AcceptingTransport::receive(int waitMs)
{
    if (!waitForData(waitMs))
        return {};
    return *std::exchange(reply_, std::nullopt);
}

bool AcceptingTransport::waitForData(int waitMs)
{
    if (reply_)
        return true;
    clock_.advance(waitMs);
    return false;
}

} // namespace merovan
