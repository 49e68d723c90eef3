#include "core/clock.h"
#include "device/command_kinds.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"

namespace merovan {

namespace {

constexpr QChar kEot(4);
constexpr int kStatusReplyMs = 7000;

bool receiptState(qint16 status) { return status >= 0 && status <= 2; }

// Whether the status can show that the register took the command.
bool statusCanTell(StatusEffect effect, std::optional<qint16> before)
{
    if (!before)
        return false;
    switch (effect) {
    case StatusEffect::OpensReceipt:
        return *before == 0;
    case StatusEffect::Pays:
        return *before == 1 || *before == 2;
    case StatusEffect::None:
        break;
    }
    return false;
}

} // namespace

// Asks for the status between a deadline and the resend. The register
// answers one thing at a time: a reply that comes before the status is the
// command's own, late; a status that differs from the one before the
// command was first sent shows that the register took it; a status that
// is still the one before shows that it did not, where taking it always
// changes the status (an item with no receipt open, a payment before any
// other). Anything else leaves the question open.
RegisterLink::ResendCheck RegisterLink::checkBeforeResend(StatusEffect effect, Sends &sends, QString &reply)
{
    if (!statusCanTell(effect, sends.statusBefore))
        return ResendCheck::Unknown;
    Transport &link = *connection_.transport();
    const QString query = QStringLiteral("KXSTAT");
    link.send(query);
    log_.addLine(log_.sendLine(query));

    const qint64 deadline = clock_.monotonicMs() + kStatusReplyMs;
    const auto readFrame = [&](QString &text) {
        while (!text.contains(kEot) && !text.startsWith(QStringLiteral("DE")) && clock_.monotonicMs() < deadline &&
               !link.lost())
            text += link.receive(static_cast<int>(deadline - clock_.monotonicMs()));
    };
    QString text;
    readFrame(text);
    if (text.isEmpty())
        return ResendCheck::Unknown;
    log_.addLine(log_.replyLine(text));

    // The first frame decides.
    QString first = text.section(kEot, 0, 0);
    first.remove(QLatin1Char('\r'));
    const std::optional<qint16> after = statusInReply(first);
    if (!after) {
        // A refusal may be the command's or the query's: ask nothing more.
        if (first.startsWith(QStringLiteral("DE")))
            return ResendCheck::Unknown;
        // The command's own reply, late; the status follows it and is read
        // off here, so that it is taken for nothing.
        if (text.contains(kEot)) {
            reply = text.section(kEot, 0, 0) + kEot;
            QString status = text.section(kEot, 1);
            readFrame(status);
            if (!status.isEmpty())
                log_.addLine(log_.staleLine(status));
        } else {
            reply = text;
        }
        return ResendCheck::Answered;
    }
    if (!receiptState(*after))
        return ResendCheck::Unknown;
    if (*after != *sends.statusBefore)
        return ResendCheck::Taken;
    // Only the status that taking the command always leaves behind says
    // that it was not taken.
    const bool wouldShow = (effect == StatusEffect::OpensReceipt && *after == 0) ||
                           (effect == StatusEffect::Pays && *after == 1);
    return wouldShow ? ResendCheck::NotTaken : ResendCheck::Unknown;
}

} // namespace merovan
