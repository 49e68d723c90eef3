#pragma once

#include <memory>
#include <optional>

namespace merovan {

struct BridgeRuntime;
class HostApi;

// Owns a running host API; its parts stay out of the program's sight.
struct HostApiDeleter {
    void operator()(HostApi *api) const;
};
using HostApiHandle = std::unique_ptr<HostApi, HostApiDeleter>;

// Starts the host API when its address is set (--http or [http] in
// param.ini): the backend over the running bridge and the HTTP server,
// listening before the bridge starts. An address other hosts can reach
// without a token, a token file that cannot be had or an address that
// cannot be listened on end the program at once: one line on standard
// error, exit status 8. The API lives in api until the program ends.
std::optional<int> attachHostApi(BridgeRuntime &runtime, HostApiHandle &api);

// The exit status of a host API that cannot be started as it was asked.
constexpr int kHostApiRefused = 8;

} // namespace merovan
