#pragma once

// Counts, from the simulator's paper rolls and the bridge's result file,
// what the register took twice and what the result file warned of.
#include <QString>
#include <QStringList>

namespace merovan::bench {

struct DoubleCount {
    int items = 0;              // items sent (10 per receipt)
    int doubled = 0;            // items on the paper roll more than once
    int warned = 0;             // of those, with an "Err = -96" line for their command
    int silent = 0;             // of those, without one
    int missing = 0;            // items never on the paper roll
    int missingWithErr = 0;     // of those, with an "Err" line for their command
    int warnings = 0;           // "Err = -96" lines
    int falseWarnings = 0;      // of those, for a command the register holds once
    int otherErrors = 0;        // other "Err" lines
};

// The item texts are "R" + receipt (four digits) + "I" + item (two digits).
QString itemText(int receipt, int item);

// paper: every paper roll's lines; result: the result file's lines;
// receipts 1 to `receipts` were run, those in `leftOut` are not counted.
DoubleCount countDoubles(const QStringList &paper, const QStringList &result, int receipts, const QStringList &leftOut);

} // namespace merovan::bench
