#pragma once

#include <QString>

namespace merovan {

class Interpreter;
struct PaymentTypeRecord;

// How long the register may take to bring a card terminal's verdict.
inline constexpr int kCardAnswerSeconds = 270;

// What came of a card payment.
enum class CardResult {
    Paid,
    NotPaid,
    // The wait ended without the terminal's verdict (the operator closed
    // the window, a second stop request, the deadline): the card may have
    // been charged. Nothing more is tried or booked; the result file says
    // "Err = -95, [card terminal N: verdict unknown, check the terminal]"
    // and the operator is told to check the terminal.
    VerdictUnknown,
};

// Up to field 4 + 1 tries of a card command on the record's terminal, each
// after the print pause when the terminal served the last card payment.
// Paid makes the record the current card payment. A refused command is a
// failed try.
CardResult payByCard(Interpreter &interpreter, const PaymentTypeRecord &record, const QString &command, bool silent,
                     const QString &resultFile = {});

// Books a failed card payment on the fallback key; once booked, the job
// ends with the card-failure warning.
void bookFallback(Interpreter &interpreter, const QString &command, int extraTimeout, const QString &resultFile);

} // namespace merovan
