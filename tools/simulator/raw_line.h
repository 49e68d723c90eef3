#pragma once

#include <QString>

namespace merovan::sim {

// Puts a terminal into raw mode (8 data bits, no parity, one stop bit, no
// echo, no line editing, no CR/LF translation); with baud above 0 also sets
// that speed. False, with a reason, when it cannot.
bool makeRaw(int fd, int baud, QString &error);

} // namespace merovan::sim
