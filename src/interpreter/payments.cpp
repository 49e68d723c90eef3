#include "interpreter/payments.h"

#include "core/clock.h"
#include "core/numeric_text.h"
#include "device/register_link.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/line_handler.h"
#include "interpreter/payment_parts.h"
#include "interpreter/sale_numbers.h"

#include <optional>

namespace merovan {

namespace {

// A number of a "sut" or "to" line, written with "," or "." before its
// decimals; nothing when the field is blank or not a number.
std::optional<double> jobNumber(const QString &field, QChar separator)
{
    const QString trimmed = field.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QString normalised = normaliseNumber(trimmed, 2, separator);
    if (!isLocaleNumber(normalised, separator))
        return std::nullopt;
    return localeValue(normalised, separator);
}

// "sut": a zero subtotal allows a payment of zero.
LineEnd sutLine(Interpreter &interpreter, Job &, const QString &line)
{
    const std::optional<double> subtotal = jobNumber(fieldText(line, fields::sutSubtotal), interpreter.clock().decimalSeparator());
    interpreter.state.zeroPaymentAllowed = subtotal == 0.0;
    return LineEnd::Next;
}

// "to": one payment. With "[currency]" "2" the first "to" line of the job
// pays the rest with payment type 2 and the others are ignored.
LineEnd toLine(Interpreter &interpreter, Job &job, const QString &line)
{
    ++job.toLines;
    SaleLine &sale = job.sale;
    if (job.settings.currency == CurrencyRule::Secondary) {
        if (job.toLines != 1)
            return LineEnd::Next;
        sale.price.clear();
        sale.paymentType = QStringLiteral("2");
    } else {
        const QChar separator = interpreter.clock().decimalSeparator();
        const QString type = fieldText(line, fields::toType);
        const QString amount = fieldText(line, fields::toAmount);
        if (jobNumber(type, separator).value_or(0) == 0 || jobNumber(amount, separator).value_or(0) == 0)
            return LineEnd::Next;
        QString discount;
        QString surcharge;
        sale.price = amount.trimmed();
        stripNumberPunctuation(sale.price, discount, surcharge);
        sale.paymentType = type;
    }
    sale.kind = KindPayment;
    sale.currency = job.settings.currency;
    sale.resultFile = interpreter.link().jobResultFile;
    interpreter.sendSaleLine(job, sale);
    return LineEnd::Next;
}

// "can": cancels a receipt by its number, unless one is open: then the job
// ends here and the host learns why.
LineEnd canLine(Interpreter &interpreter, Job &job, const QString &line)
{
    if (interpreter.link().readRegisterStatus() != 0) {
        interpreter.appendResult(QStringLiteral("Err = --can, [cannot cancel, receipt is open] DateTime = ") +
                                 interpreter.resultStamp());
        return LineEnd::EndJob;
    }
    const QString number = fieldText(line, fields::canNumber).trimmed();
    if (isNumeric(number))
        job.cancelNumber = QString::number(static_cast<qint64>(leadingNumber(number)));
    interpreter.send(QStringLiteral("KX@215T") + job.cancelNumber);
    interpreter.send(QStringLiteral("KXCL"));
    return LineEnd::Next;
}

LineEnd voiLine(Interpreter &interpreter, Job &, const QString &)
{
    interpreter.send(QStringLiteral("KXVOID"));
    interpreter.send(QStringLiteral("KXCL"));
    return LineEnd::Next;
}

} // namespace

void installPayments(Interpreter &interpreter)
{
    setLineHandler(interpreter, QStringLiteral("sut"), sutLine);
    setLineHandler(interpreter, QStringLiteral("to"), toLine);
    setLineHandler(interpreter, QStringLiteral("pay"), payLine);
    setLineHandler(interpreter, QStringLiteral("can"), canLine);
    setLineHandler(interpreter, QStringLiteral("voi"), voiLine);
    Interpreter *in = &interpreter;
    interpreter.setKindHandler(KindPayment, [in](Job &, SaleLine &sale) { sendPayment(*in, sale); });
    interpreter.cardFailureWarning = [in](Job &) { printCardFailureWarning(*in); };
}

} // namespace merovan
