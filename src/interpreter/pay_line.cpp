#include "core/numeric_text.h"
#include "core/operator.h"
#include "device/register_link.h"
#include "interpreter/card_payment.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_file.h"
#include "interpreter/payment_parts.h"
#include "interpreter/payment_steps.h"
#include "payments/payment_types.h"

namespace merovan {

namespace {

void payRest(Interpreter &interpreter, int type)
{
    const PaymentTypeRecord record = readPaymentType(interpreter.op(), type);
    interpreter.link().WaitEcrErrorCleared(2, -1);
    endItemSelection(interpreter);

    const bool prepayment = record.PAY_active != 0 && record.PAY_type == kPrepaymentKey;
    if (!prepayment)
        interpreter.send(QStringLiteral("KXST"), true);
    if (record.PAY_active == 0 || prepayment) {
        interpreter.send(paymentCommand({}, type), true, 0, {}, kPaymentExtraSeconds);
        return;
    }
    if (!payByCard(interpreter, record, cardCommand({}, record), true) && record.PAY_PayID >= 1)
        bookFallback(interpreter, paymentCommand({}, record.PAY_PayID), 0, {});
}

} // namespace

LineEnd payLine(Interpreter &interpreter, Job &, const QString &line)
{
    const qint16 status = interpreter.link().ReadEcrStatus();
    if (status != 1 && status != 2)
        return LineEnd::Next;
    const QString type = cols(line, 7, 2);
    if (isNumeric(type))
        payRest(interpreter, wholeNumber<int>(leadingNumber(type)).value_or(0));
    else
        ShowMessage(interpreter.op(), QStringLiteral("Λάθος Αριθμός πληρωμής στο αρχείο!"), MsgInformation);
    afterPayment(interpreter);
    return LineEnd::Next;
}

} // namespace merovan
