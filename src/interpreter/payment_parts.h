#pragma once

#include <QString>

namespace merovan {

class Interpreter;
enum class LineEnd;
struct Job;
struct SaleLine;

// The pieces that installPayments wires together.

// Line kind 2 (payment_kind.cpp): pays `price` (digits, or empty for the
// rest) with `paymentType`, which the "[currency]" rule in `currency` may
// override; the commands' error lines go to `resultFile`.
void sendPayment(Interpreter &interpreter, SaleLine &sale);

// The "pay" line (pay_line.cpp): pays the rest of an open receipt.
LineEnd payLine(Interpreter &interpreter, Job &job, const QString &line);

// The card-failure warning (card_warning.cpp): once the receipt is closed,
// prints that a card payment failed and was booked on a fallback key.
void printCardFailureWarning(Interpreter &interpreter);

} // namespace merovan
