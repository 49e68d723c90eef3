#pragma once

#include "session.h"
#include "stop_signals.h"

namespace merovan::sim {

// The register on a serial line (a device or our pseudo-terminal): the byte
// stream is cut into commands at CR LF and each reply is written back on the
// same line. fd is open and non-blocking; the caller owns it.
// Returns the process exit code when a stop signal or a line failure ends it.
int runSerial(int fd, Session &session, const StopSignals &stop);

} // namespace merovan::sim
