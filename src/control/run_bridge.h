#pragma once

#include <functional>
#include <optional>

class QCoreApplication;

namespace merovan {

struct BridgeRuntime;
class Operator;

// The start-up shared by merovan and merovand: builds the clock, the log,
// the connection and the bridge, lets the front end attach its windows,
// then runs the bridge on a worker thread of its own while the calling
// (main) thread runs the event loop: it renders, takes the operator's
// clicks and turns SIGTERM, SIGINT and SIGHUP into stop requests. Returns
// the exit status. attach also gets the worker, for front-end objects that
// must run beside the bridge, and the job history and intake for the host
// API; an exit status from it ends the program at once.
//
// The command line "--http ADDRESS:PORT" alone is resident mode with the
// host API on that address, whatever param.ini says.
// "--help" or "--version" alone on the command line, "--check JOB" (the dry
// run of a job file) or "--init FOLDER" (a register's folder set up): does
// it and gives the exit status, before any window is made. A job's six
// fields never begin with "--", so these cannot be taken for one.
std::optional<int> answerInformationRequest(int argc, char *argv[]);

int runBridge(QCoreApplication &app, Operator &op,
              const std::function<std::optional<int>(BridgeRuntime &runtime)> &attach);

} // namespace merovan
