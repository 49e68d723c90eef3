#include "eft_terminals.h"

#include <QRegularExpression>
#include <QStringList>

namespace merovan::sim {

namespace {

// A terminal the register has no link to; its answer comes at once.
constexpr int kInactiveDelayMs = 500;

std::optional<TerminalVerdict> parseVerdict(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^(?:(approve(?:355|356)?|cntfail)|decline:([^:]+)|(silent))(?::([0-9]{1,6}))?$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch() || (match.hasCaptured(3) && match.hasCaptured(4)))
        return std::nullopt;
    TerminalVerdict verdict;
    if (match.captured(1).startsWith(QLatin1String("approve")))
        verdict.code = match.captured(1).mid(7); // empty for the usual 358OK
    else if (match.captured(1) == QLatin1String("cntfail"))
        verdict.kind = TerminalVerdict::Kind::NoContact;
    else if (match.hasCaptured(2))
        verdict = {TerminalVerdict::Kind::Decline, match.captured(2)};
    else if (match.hasCaptured(3))
        verdict.kind = TerminalVerdict::Kind::Silent;
    if (match.hasCaptured(4))
        verdict.delayMs = match.captured(4).toInt();
    return verdict;
}

} // namespace

std::optional<std::vector<TerminalVerdict>> parseVerdicts(const QString &text)
{
    std::vector<TerminalVerdict> verdicts;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const std::optional<TerminalVerdict> verdict = parseVerdict(part);
        if (!verdict)
            return std::nullopt;
        verdicts.push_back(*verdict);
    }
    return verdicts;
}

void EftTerminals::attach(int number, std::vector<TerminalVerdict> verdicts)
{
    verdicts_[number] = std::deque<TerminalVerdict>(verdicts.begin(), verdicts.end());
}

TerminalAnswer EftTerminals::pay(int number, qint64 cents)
{
    auto it = verdicts_.find(number);
    if (it == verdicts_.end())
        return {false, LateMessage{kInactiveDelayMs, QStringLiteral("358ER:ECR INACTIVE EFTPOS")}};
    std::deque<TerminalVerdict> &queue = *it;
    const TerminalVerdict verdict = queue.front();
    if (queue.size() > 1)
        queue.pop_front();
    switch (verdict.kind) {
    case TerminalVerdict::Kind::Approve:
        return {true, LateMessage{verdict.delayMs, approval(number, cents, verdict.code)}};
    case TerminalVerdict::Kind::Decline:
        return {false, LateMessage{verdict.delayMs, QStringLiteral("358ER:") + verdict.code}};
    case TerminalVerdict::Kind::NoContact:
        return {false, LateMessage{verdict.delayMs, QStringLiteral("CntFail")}};
    case TerminalVerdict::Kind::Silent:
        break;
    }
    return {};
}

// "358OK" or "355OK" padded to fifteen characters, then fifteen fields:
// terminal, kind, transaction, amount in cents, tip, instalments, date,
// time, merchant, card scheme, masked card number, authorisation, batch,
// reference, response code. No clock: date and time are zeros. "356OK"
// comes alone.
QString EftTerminals::approval(int number, qint64 cents, const QString &kind)
{
    const int transaction = ++transactions_[number];
    if (kind == QLatin1String("356"))
        return QStringLiteral("356OK");
    const QString serial = QStringLiteral("%1").arg(transaction, 6, 10, QLatin1Char('0'));
    const QStringList fields{QString::number(number),
                             QStringLiteral("SALE"),
                             serial,
                             QString::number(cents),
                             QStringLiteral("0"),
                             QStringLiteral("0"),
                             QStringLiteral("000000"),
                             QStringLiteral("000000"),
                             QStringLiteral("SIM%1").arg(number, 5, 10, QLatin1Char('0')),
                             QStringLiteral("VISA"),
                             QStringLiteral("************%1").arg(number, 4, 10, QLatin1Char('0')),
                             QStringLiteral("A") + serial,
                             QStringLiteral("001"),
                             QStringLiteral("%1%2").arg(number, 2, 10, QLatin1Char('0')).arg(serial),
                             QStringLiteral("00")};
    return ((kind.isEmpty() ? QStringLiteral("358") : kind) + QStringLiteral("OK")).leftJustified(15) +
           fields.join(QLatin1Char(':'));
}

} // namespace merovan::sim
