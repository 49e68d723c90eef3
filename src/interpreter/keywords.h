#pragma once

namespace merovan {

class Interpreter;

// Installs every keyword group: sale lines, payments, tables and the
// pass-through commands.
void installKeywords(Interpreter &interpreter);

} // namespace merovan
