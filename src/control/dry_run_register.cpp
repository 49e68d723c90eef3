#include "control/dry_run_register.h"

#include <QRegularExpression>

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
    static const QRegularExpression opens(QStringLiteral("^KX([0-9]+)TO"));
    static const QRegularExpression holds(QStringLiteral("^KXREP([0-9]+)TBL$"));
    QString reply = QStringLiteral("00 OK");
    if (const auto table = opens.match(command); table.hasMatch())
        openTable_ = table.captured(1).toInt();
    else if (command == QStringLiteral("KXTO"))
        openTable_ = 0;
    else if (command == QStringLiteral("KX?TO"))
        reply = QStringLiteral("TO:%1").arg(openTable_);
    else if (const auto amount = holds.match(command); amount.hasMatch())
        reply = QStringLiteral("TBL:%1:0").arg(amount.captured(1));
    reply_ = reply + QStringLiteral("\r\x04");
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
