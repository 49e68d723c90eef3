#pragma once

#include "settings/http_settings.h"

class QThread;

namespace merovan {

class ApiJobIntake;
class Bridge;
class DebugLog;
class JobHistory;
class RegisterLink;

// The parts of a running bridge that a front end and the host API attach
// to, before the worker starts.
struct BridgeRuntime {
    Bridge &bridge;
    DebugLog &log;
    RegisterLink &link;
    QThread &worker;
    JobHistory *history; // none when it could not be opened
    ApiJobIntake &intake;
    // The host API's settings: param.ini's lines, with the address of
    // "--http" in their place when it was given.
    HttpSettings http;
};

} // namespace merovan
