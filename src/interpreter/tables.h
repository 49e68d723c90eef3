#pragma once

namespace merovan {

class Interpreter;

// Restaurant tables held in the register: installs the handlers of the
// "TBO", "TBC", "TBT", "TPT", "TBS", "TBE", "ltb" and "rpt" lines and the
// table amount that the end of a job reports.
void installTables(Interpreter &interpreter);

} // namespace merovan
