#include "core/clock.h"
#include "core/operator.h"
#include "greek/cp1253.h"
#include "interpreter/interpreter.h"
#include "interpreter/sale_numbers.h"
#include "interpreter/sale_steps.h"

namespace merovan {

namespace {

// The minus key, before a negative quantity or price. When the register
// refuses it nothing more is sent for the line: the item would otherwise
// go through as a sale instead of a return.
bool pressMinus(Interpreter &interpreter)
{
    return interpreter.send(QStringLiteral("KX- ")).accepted();
}

// A negative quantity is keyed as the minus key and the quantity; when the
// price is negative too, the price alone carries the sign.
bool keyQuantitySign(Interpreter &interpreter, SaleLine &sale)
{
    const QLatin1Char minus('-');
    if (sale.quantity.startsWith(minus) && sale.price.startsWith(minus))
        sale.quantity.remove(0, 1);
    if (sale.quantity.startsWith(minus)) {
        if (!pressMinus(interpreter))
            return false;
        sale.quantity = sale.quantity.mid(1, 8);
        while (sale.quantity.endsWith(QLatin1Char(' ')))
            sale.quantity.chop(1);
    }
    return true;
}

// A negative price on a line whose quantity is not negative: the minus key,
// then the price without its sign.
bool keyPriceSign(Interpreter &interpreter, SaleLine &sale)
{
    if (!sale.price.startsWith(QLatin1Char('-')) || sale.quantity.startsWith(QLatin1Char('-')))
        return true;
    sale.price.remove(0, 1);
    return pressMinus(interpreter);
}

// The item itself: with no receipt open it opens one, which the status
// shows when the item has to be sent again after silence.
void sendSale(Interpreter &interpreter, const QString &command)
{
    interpreter.send(command, {.statusEffect = StatusEffect::OpensReceipt});
}

// The keyboard-less sequence: the category's key, then the price and text.
void sendKeyboardless(Interpreter &interpreter, const SaleLine &sale)
{
    interpreter.send(QStringLiteral("KX") + sale.category + QStringLiteral("PL"));
    sendSale(interpreter, QStringLiteral("KX") + sale.price + QStringLiteral("AC") + sale.text);
}

bool keyboardOff(const Job &job) { return job.settings.keyboardLocked == SettingSwitch::On; }

// An item with its code: the code's look-up ("A") or its print after the
// item ("N"); never a quantity command.
void sendCodedItem(Interpreter &interpreter, const Job &job, SaleLine &sale)
{
    if (sale.itemCode.startsWith(QLatin1Char('A'))) {
        const QString lookUp = QStringLiteral("KX10PLK") + cp1253Char(0x8D) + cp1253Char(0x86) + QLatin1Char(':');
        interpreter.send(lookUp + sale.itemCode.mid(1, 14));
    }
    if (!keyPriceSign(interpreter, sale))
        return;
    if (keyboardOff(job))
        sendKeyboardless(interpreter, sale);
    else
        sendSale(interpreter, QStringLiteral("KX") + sale.price + QLatin1Char('R') + sale.category + sale.text);
    if (sale.itemCode.startsWith(QLatin1Char('N')))
        interpreter.send(QStringLiteral("KX") + sale.itemCode.mid(1, 15).trimmed() + QStringLiteral("AC"));
}

void showWrongQuantity(Interpreter &interpreter)
{
    PlainMessage(interpreter.op(), QStringLiteral("Λάθος ποσότητα είδους στην ταμειακή!"), MsgExclamation);
}

// An item keyed on the register's keyboard: in the middle of a table
// transfer or a partial payment it goes to the table ("KXPA", confirmed
// with "KXTRFOK") after the mode's own key.
void sendKeyedItem(Interpreter &interpreter, SaleLine &sale, QChar separator)
{
    if (!keyPriceSign(interpreter, sale))
        return;
    const InterpreterState &state = interpreter.state;
    const bool toTable = state.partialPaymentMode || state.tableTransferMode;
    if (toTable) {
        if (!interpreter.send(state.partialPaymentMode ? QStringLiteral("KXPPAY") : QStringLiteral("KXTRF")).accepted())
            return;
    }
    if (const std::optional<QString> quantity = quantityCommand(sale.quantity, separator)) {
        if (!interpreter.send(*quantity, true).accepted()) {
            showWrongQuantity(interpreter);
            return;
        }
    }
    const QString item = sale.price + QLatin1Char('R') + sale.category + textLead(sale.text);
    if (!toTable) {
        sendSale(interpreter, QStringLiteral("KX") + item);
        return;
    }
    if (interpreter.send(QStringLiteral("KXPA") + item).accepted())
        interpreter.send(QStringLiteral("KXTRFOK"));
}

} // namespace

void sendItem(Interpreter &interpreter, Job &job, SaleLine &sale)
{
    const QChar separator = interpreter.clock().decimalSeparator();
    if (!sale.quantity.isEmpty()) {
        if (!keyQuantitySign(interpreter, sale))
            return;
        sale.price = hundredths(sale.price, separator);
    }
    if (!sale.itemCode.isEmpty()) {
        sendCodedItem(interpreter, job, sale);
    } else if (keyboardOff(job)) {
        if (keyPriceSign(interpreter, sale))
            sendKeyboardless(interpreter, sale);
    } else {
        sendKeyedItem(interpreter, sale, separator);
    }
}

} // namespace merovan
