#pragma once

#include <functional>

class QCoreApplication;

namespace merovan {

class Bridge;
class DebugLog;
class Operator;

// The start-up shared by merovan and merovand: builds the clock, the log,
// the connection and the bridge, lets the front end attach its windows,
// runs the start-up and then the event loop. Returns the exit status.
int runBridge(QCoreApplication &app, Operator &op, const std::function<void(Bridge &, DebugLog &)> &attach);

} // namespace merovan
