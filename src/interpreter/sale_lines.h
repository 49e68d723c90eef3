#pragma once

namespace merovan {

class Interpreter;

// Items, discounts and surcharges, comment lines and the footer: installs
// the handlers of the "PLU", "dis", "mod", "com", "frt" and "foo" lines, the
// command sequences of line kinds 1, 3 and 51 to 54, and the footer print at
// the end of a job.
void installSaleLines(Interpreter &interpreter);

} // namespace merovan
