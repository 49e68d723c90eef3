#pragma once

#include <QString>
#include <QtGlobal>

namespace merovan {

class Interpreter;
struct PaymentTypeRecord;

// The steps that a "to" payment (line kind 2) and a "pay" line share.

// Plain payments get three seconds more for the register's reply: closing
// a receipt prints it.
inline constexpr int kPaymentExtraSeconds = 3;
// The register's key for a card prepayment, which takes no subtotal first
// and has no fallback.
inline constexpr qint16 kPrepaymentKey = 9;

// A register payment: "KX" + amount + "T" + key, or "KXT" + key, which pays
// the rest, when the amount is empty or "0".
QString paymentCommand(const QString &amount, int key);

// A card payment through the record's terminal: the payment command of its
// register key, then "P" and the terminal.
QString cardCommand(const QString &amount, const PaymentTypeRecord &record);

// In a table's partial payment the item selection ends once, before the
// first payment.
void endItemSelection(Interpreter &interpreter);

// After a payment: a closed receipt ends the partial payment and forgets the
// card terminal, so the next card payment need not wait for its print-out.
void afterPayment(Interpreter &interpreter);

} // namespace merovan
