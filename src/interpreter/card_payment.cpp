#include "interpreter/card_payment.h"

#include "core/clock.h"
#include "core/operator.h"
#include "core/stop_requests.h"
#include "device/register_link.h"
#include "interpreter/interpreter.h"
#include "payments/card_flow.h"

namespace merovan {

namespace {

constexpr int kRetryPauseMs = 3000;
constexpr qint16 kVerdictUnknownCode = -95;

// A second try or a fallback could take the money twice: the operator
// settles it at the terminal.
void reportUnknownVerdict(Interpreter &interpreter, qint16 terminal, const QString &resultFile)
{
    interpreter.link().appendResult(QStringLiteral("Err = %1, [card terminal %2: verdict unknown, check the terminal] "
                                                   "DateTime = %3")
                                        .arg(kVerdictUnknownCode)
                                        .arg(terminal)
                                        .arg(interpreter.resultStamp()),
                                    resultFile);
    PlainMessage(interpreter.op(),
                 QStringLiteral("Δεν ήρθε η απάντηση του τερματικού καρτών %1. Ελέγξτε στο τερματικό αν έγινε η "
                                "πληρωμή πριν ολοκληρώσετε την απόδειξη.")
                     .arg(terminal),
                 MsgExclamation);
}

} // namespace

CardResult payByCard(Interpreter &interpreter, const PaymentTypeRecord &record, const QString &command, bool silent,
                     const QString &resultFile)
{
    InterpreterState &state = interpreter.state;
    for (int attempt = 0; attempt <= record.retries; ++attempt) {
        if (state.currentCard.read().terminal == record.terminal)
            waitForTerminalPrint(record.printDelaySeconds, interpreter.clock(), interpreter.op(), interpreter.log(),
                              interpreter.link().stops());
        const CommandResult answer = interpreter.send(command, silent, kCardAnswerSeconds, resultFile);
        if (!answer.accepted())
            continue;
        if (!answer.laterMessage) {
            reportUnknownVerdict(interpreter, record.terminal, resultFile);
            return CardResult::VerdictUnknown;
        }
        switch (cardPaymentOutcome(answer.text)) {
        case CardPaid:
            state.currentCard.replace(record);
            return CardResult::Paid;
        case CardNotPaid:
            return CardResult::NotPaid;
        case CardTryAfterPause:
            pauseUnless(interpreter.clock(), kRetryPauseMs, [&] { return interpreter.link().stops().stopNow(); });
            break;
        default:
            break;
        }
    }
    return CardResult::NotPaid;
}

void bookFallback(Interpreter &interpreter, const QString &command, int extraTimeout, const QString &resultFile)
{
    const CommandOptions options{.resultFile = resultFile,
                                 .extraTimeout = extraTimeout,
                                 .statusEffect = StatusEffect::Pays};
    if (interpreter.send(command, options).accepted())
        interpreter.state.cardFallbackUsed = true;
}

} // namespace merovan
