#include "payments/card_flow.h"

#include "core/clock.h"
#include "core/operator.h"
#include "core/register_message.h"
#include "core/stop_requests.h"
#include "diagnostics/debug_log.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace merovan {

namespace {

bool isOneOf(const QString &text, std::initializer_list<const char16_t *> words)
{
    return std::any_of(words.begin(), words.end(), [&text](const char16_t *word) { return text == QStringView(word); });
}

QString countdownText(qint64 msLeft)
{
    return QStringLiteral("Αναμονή [%1]").arg(std::lround(static_cast<double>(msLeft) / 1000.0), 2, 10, QLatin1Char('0'));
}

// Often enough for the countdown to show every second and the window to
// stay responsive.
constexpr qint64 kUpdateMs = 200;

} // namespace

qint16 cardPaymentOutcome(const QString &answer)
{
    if (answer.isEmpty())
        return CardPaid;
    const QStringList pieces = answer.split(QLatin1Char(':'));
    const QString status = pieces.front().trimmed();
    const QString code = pieces.size() > 1 ? pieces[1].trimmed() : QString();

    if (isOneOf(status.left(5), {u"358OK", u"356OK", u"355OK"}))
        return CardPaid;

    qint16 outcome = CardPaid;
    if (status == u"CntFail")
        outcome = CardNotPaid;
    if (isOneOf(code, {u"03", u"04"}))
        outcome = CardNotPaid;
    if (isOneOf(code, {u"05", u"06", u"09", u"33", u"66"}))
        outcome = CardTryAgain;
    if (isOneOf(code, {u"001", u"002", u"003", u"004", u"100", u"500", u"501"}))
        outcome = CardNotPaid;
    if (code == u"999")
        outcome = CardTryAfterPause;
    if (code == u"ECR INACTIVE EFTPOS")
        outcome = CardNotPaid;
    if (answer.contains(u"SEND:TIMEOUT WHILE SEND DATA TO POS"))
        outcome = CardTerminalTimeout;
    return outcome;
}

void waitForTerminalPrint(qint32 seconds, Clock &clock, Operator &op, DebugLog &log, const StopRequests &stops)
{
    if (seconds < 1)
        return;
    const QDateTime end = roundedToSecond(clock.now()).addSecs(seconds);
    const auto msLeft = [&clock, &end] { return clock.now().msecsTo(end); };

    const auto window = std::make_shared<RegisterMessage>(clock);
    window->setCountsSeconds(false);
    window->setDetail(QStringLiteral("Εκτύπωση τερματικού EFTPOS"));
    window->setMessage(countdownText(msLeft()));
    op.showRegisterMessage(window);
    log.addLine(log.eftWaitLine(seconds));

    for (qint64 left = msLeft(); left > 0 && !stops.stopNow(); left = msLeft()) {
        // Set only when it changes, so a console shows one line a second.
        if (const QString text = countdownText(left); text != window->message())
            window->setMessage(text);
        clock.pause(static_cast<int>(std::clamp<qint64>(msLeft(), 0, kUpdateMs)));
    }
    window->close();
}

} // namespace merovan
