#pragma once

#include "payments/payment_types.h"

#include <QString>
#include <QtGlobal>

namespace merovan {

class Clock;
class DebugLog;
class Operator;
class StopRequests;

// What a card payment's answer means to the payment flow.
enum CardOutcome : qint16 {
    CardPaid = 0,
    CardTryAgain = 1,        // the try failed; try again at once
    CardNotPaid = 2,         // no further tries
    CardTryAfterPause = 3,   // try again after 3 seconds
    CardTerminalTimeout = 4, // the register gave up on the terminal; treated as CardTryAgain
};

// Reads the register's answer to a card command. The status word is the
// text before the first ":", the code the text between the first and the
// second, both trimmed. A status beginning "358OK", "356OK" or "355OK" is
// paid; otherwise the known failures are tested in a fixed order, a later
// match overriding an earlier one ("CntFail:05" is 1, not 2), and an answer
// that matches none counts as paid, as does the empty answer.
//
// "SEND:TIMEOUT WHILE SEND DATA TO POS" anywhere in the answer is the
// register saying it never reached the terminal, so the card was not
// charged: it gives CardTerminalTimeout. Read as paid, it would close the
// receipt on a card that was never charged.
qint16 cardPaymentOutcome(const QString &answer);

// Lets a terminal finish printing before it is used again: for seconds >= 1
// a register message window counts down "Αναμονή [NN]" to the end of the
// pause, which is taken from the present moment rounded to the whole second
// (date and time, so a pause across midnight lasts as long as any other).
// The thread sleeps between updates. Closing the window does not shorten
// the pause; a request to stop at once does, as nothing more will be sent.
void waitForTerminalPrint(qint32 seconds, Clock &clock, Operator &op, DebugLog &log, const StopRequests &stops);

// The payment-type record of the last card payment that succeeded; all
// zeros until then. Its terminal is forgotten whenever the register reports
// that no receipt is open, so the print pause only separates card payments
// on one terminal within one receipt.
class CurrentCardPayment {
public:
    PaymentTypeRecord read() const { return record_; }
    void replace(const PaymentTypeRecord &record) { record_ = record; }
    void clearTerminal() { record_.terminal = 0; }

private:
    PaymentTypeRecord record_;
};

} // namespace merovan
