#include "interpreter/card_payment.h"

#include "core/clock.h"
#include "core/stop_requests.h"
#include "device/register_link.h"
#include "interpreter/interpreter.h"
#include "payments/card_flow.h"

namespace merovan {

namespace {

constexpr int kRetryPauseMs = 3000;

} // namespace

bool payByCard(Interpreter &interpreter, const PaymentTypeRecord &record, const QString &command, bool silent,
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
        switch (cardPaymentOutcome(answer.text)) {
        case CardPaid:
            state.currentCard.replace(record);
            return true;
        case CardNotPaid:
            return false;
        case CardTryAfterPause:
            pauseUnless(interpreter.clock(), kRetryPauseMs, [&] { return interpreter.link().stops().stopNow(); });
            break;
        default:
            break;
        }
    }
    return false;
}

void bookFallback(Interpreter &interpreter, const QString &command, int extraTimeout, const QString &resultFile)
{
    if (interpreter.send(command, false, 0, resultFile, extraTimeout).accepted())
        interpreter.state.cardFallbackUsed = true;
}

} // namespace merovan
