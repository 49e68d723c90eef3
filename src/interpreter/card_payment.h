#pragma once

#include <QString>

namespace merovan {

class Interpreter;
struct PaymentTypeRecord;

// How long the register may take to bring a card terminal's verdict.
inline constexpr int kCardAnswerSeconds = 270;

// Up to field 4 + 1 tries of a card command on the record's terminal, each
// after the print pause when the terminal served the last card payment.
// True when the terminal paid; the record then becomes the current card
// payment. A refused command is a failed try.
bool payByCard(Interpreter &interpreter, const PaymentTypeRecord &record, const QString &command, bool silent,
               const QString &resultFile = {});

// Books a failed card payment on the fallback key; once booked, the job
// ends with the card-failure warning.
void bookFallback(Interpreter &interpreter, const QString &command, int extraTimeout, const QString &resultFile);

} // namespace merovan
