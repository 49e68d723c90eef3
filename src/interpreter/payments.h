#pragma once

namespace merovan {

class Interpreter;

// Paying and closing receipts: installs the handlers of the "sut", "to",
// "pay", "can" and "voi" lines, the command sequence of line kind 2 (a
// payment, in cash or through a card terminal) and the card-failure warning
// at the end of a job.
void installPayments(Interpreter &interpreter);

} // namespace merovan
