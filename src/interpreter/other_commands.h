#pragma once

namespace merovan {

class Interpreter;

// Pass-through work: installs the handlers of the "ver", "sin", "inv",
// "snd" and "PRG" lines and the command of line kind 9 (a key sequence).
void installOtherCommands(Interpreter &interpreter);

} // namespace merovan
