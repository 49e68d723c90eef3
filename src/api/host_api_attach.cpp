#include "api/host_api_attach.h"

#include "api/bridge_backend.h"
#include "api/host_api_server.h"
#include "api/listen_address.h"
#include "control/bridge.h"
#include "control/bridge_runtime.h"
#include "diagnostics/debug_log.h"
#include "diagnostics/recent_log_lines.h"

#include <cstdio>

namespace merovan {

// What the host API is made of, kept together for the program's run.
class HostApi {
public:
    HostApi(BridgeRuntime &runtime, ApiAccessRules rules)
        : backend(runtime.bridge, runtime.history, runtime.intake, recentLines, runtime.bridge.mainWindow(),
                  runtime.link),
          server(backend, std::move(rules))
    {
        runtime.log.keepRecentLinesIn(&recentLines);
    }

    RecentLogLines recentLines;
    BridgeBackend backend;
    HostApiServer server;
};

namespace {

int refuse(const QString &why)
{
    std::fputs(("merovan: host API: " + why + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    return kHostApiRefused;
}

} // namespace

void HostApiDeleter::operator()(HostApi *api) const { delete api; }

std::optional<int> attachHostApi(BridgeRuntime &runtime, HostApiHandle &api)
{
    if (runtime.http.address.isEmpty())
        return std::nullopt;
    const ListenAddressParse parsed = parseListenAddress(runtime.http.address);
    if (!parsed.address)
        return refuse(parsed.error);
    if (const std::optional<QString> why = refusalToListen(*parsed.address, runtime.http))
        return refuse(*why);
    AccessRulesReading rules = accessRules(runtime.http);
    if (!rules.rules)
        return refuse(rules.error);
    api.reset(new HostApi(runtime, std::move(*rules.rules)));
    if (const std::optional<QString> why = api->server.listen(*parsed.address))
        return refuse(why.value());
    // The port as listened on: 0 in the settings takes any free one.
    const QString host = runtime.http.address.left(runtime.http.address.lastIndexOf(QLatin1Char(':')));
    std::fputs(QStringLiteral("merovan: host API at http://%1:%2/\n").arg(host).arg(api->server.port())
                   .toLocal8Bit().constData(),
               stderr);
    return std::nullopt;
}

} // namespace merovan
