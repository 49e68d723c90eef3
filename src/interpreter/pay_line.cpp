#include "core/numeric_text.h"
#include "core/operator.h"
#include "device/register_link.h"
#include "interpreter/card_payment.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/payment_parts.h"
#include "interpreter/payment_steps.h"
#include "payments/payment_types.h"

namespace merovan {

namespace {

void payRest(Interpreter &interpreter, int type)
{
    const PaymentTypeRecord record = readPaymentType(interpreter.op(), type);
    interpreter.link().waitUntilErrorCleared(2, -1);
    endItemSelection(interpreter);

    const bool prepayment = record.cardPaymentOn != 0 && record.registerKey == kPrepaymentKey;
    if (!prepayment)
        interpreter.send(QStringLiteral("KXST"), true);
    if (record.cardPaymentOn == 0 || prepayment) {
        interpreter.send(paymentCommand({}, type),
                         {.silent = true, .extraTimeout = kPaymentExtraSeconds, .statusEffect = StatusEffect::Pays});
        return;
    }
    if (payByCard(interpreter, record, cardCommand({}, record), true) == CardResult::NotPaid && record.fallbackKey >= 1)
        bookFallback(interpreter, paymentCommand({}, record.fallbackKey), 0, {});
}

} // namespace

LineEnd payLine(Interpreter &interpreter, Job &, const QString &line)
{
    const qint16 status = interpreter.link().readRegisterStatus();
    if (status != 1 && status != 2)
        return LineEnd::Next;
    const QString type = fieldText(line, fields::payType);
    if (isNumeric(type))
        payRest(interpreter, wholeNumber<int>(leadingNumber(type)).value_or(0));
    else
        showMessage(interpreter.op(), QStringLiteral("Λάθος Αριθμός πληρωμής στο αρχείο!"), MsgInformation);
    afterPayment(interpreter);
    return LineEnd::Next;
}

} // namespace merovan
