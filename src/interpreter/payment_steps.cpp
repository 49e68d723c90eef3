#include "interpreter/payment_steps.h"

#include "device/register_link.h"
#include "interpreter/interpreter.h"
#include "payments/payment_types.h"

namespace merovan {

QString paymentCommand(const QString &amount, int key)
{
    const bool rest = amount.isEmpty() || amount == QStringLiteral("0");
    return QStringLiteral("KX") + (rest ? QString() : amount) + QLatin1Char('T') + QString::number(key);
}

QString cardCommand(const QString &amount, const PaymentTypeRecord &record)
{
    return paymentCommand(amount, record.registerKey) + QLatin1Char('P') + QString::number(record.terminal);
}

void endItemSelection(Interpreter &interpreter)
{
    InterpreterState &state = interpreter.state;
    if (!state.partialPaymentMode || state.transferRefusals != 0)
        return;
    interpreter.send(QStringLiteral("KXTRFNO"));
    ++state.transferRefusals;
}

void afterPayment(Interpreter &interpreter)
{
    if (interpreter.link().readRegisterStatus() != 0)
        return;
    interpreter.state.partialPaymentMode = false;
    interpreter.state.currentCard.clearTerminal();
}

} // namespace merovan
