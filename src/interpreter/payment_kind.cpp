#include "core/numeric_text.h"
#include "device/register_link.h"
#include "interpreter/card_payment.h"
#include "interpreter/interpreter.h"
#include "interpreter/payment_parts.h"
#include "interpreter/payment_steps.h"
#include "payments/payment_types.h"

namespace merovan {

namespace {

// The job's payment type, unless the "[currency]" setting fixes it.
int paymentType(const SaleLine &sale)
{
    switch (sale.currency) {
    case CurrencyRule::Main:
        return 1;
    case CurrencyRule::Secondary:
        return 2;
    case CurrencyRule::Third:
        return 3;
    case CurrencyRule::AsInJob:
    case CurrencyRule::Unset:
        break;
    }
    return isNumeric(sale.paymentType) ? wholeNumber<int>(leadingNumber(sale.paymentType)).value_or(0) : 0;
}

} // namespace

void sendPayment(Interpreter &interpreter, SaleLine &sale)
{
    const QString &amount = sale.price;
    if (leadingNumber(amount) == 0 && !interpreter.state.zeroPaymentAllowed)
        return;
    interpreter.link().waitUntilErrorCleared(2, -1);
    const int type = paymentType(sale);
    const PaymentTypeRecord record = readPaymentType(interpreter.op(), type);
    endItemSelection(interpreter);

    const bool card = record.cardPaymentOn != 0;
    if (!card || (record.registerKey != kPrepaymentKey && !interpreter.state.partialPaymentMode))
        interpreter.send(QStringLiteral("KXST"), true);

    if (card) {
        const CardResult paid = payByCard(interpreter, record, cardCommand(amount, record), false, sale.resultFile);
        if (paid == CardResult::NotPaid && record.registerKey != kPrepaymentKey && record.fallbackKey >= 1)
            bookFallback(interpreter, paymentCommand(amount, record.fallbackKey), kPaymentExtraSeconds, sale.resultFile);
    } else {
        interpreter.send(paymentCommand(amount, type), {.resultFile = sale.resultFile,
                                                        .extraTimeout = kPaymentExtraSeconds,
                                                        .statusEffect = StatusEffect::Pays});
    }
    afterPayment(interpreter);
}

} // namespace merovan
