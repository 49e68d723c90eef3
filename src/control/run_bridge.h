#pragma once

#include <functional>
#include <optional>

class QCoreApplication;
class QThread;

namespace merovan {

class Bridge;
class DebugLog;
class Operator;

// The start-up shared by merovan and merovand: builds the clock, the log,
// the connection and the bridge, lets the front end attach its windows,
// then runs the bridge on a worker thread of its own while the calling
// (main) thread runs the event loop: it renders, takes the operator's
// clicks and turns SIGTERM, SIGINT and SIGHUP into stop requests. Returns
// the exit status. attach also gets the worker, for front-end objects that
// must run beside the bridge.
// "--help" or "--version" alone on the command line, "--check JOB" (the dry
// run of a job file) or "--init FOLDER" (a register's folder set up): does
// it and gives the exit status, before any window is made. A job's six
// fields never begin with "--", so these cannot be taken for one.
std::optional<int> answerInformationRequest(int argc, char *argv[]);

int runBridge(QCoreApplication &app, Operator &op,
              const std::function<void(Bridge &, DebugLog &, QThread &worker)> &attach);

} // namespace merovan
