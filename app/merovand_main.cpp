// merovand: the bridge without widgets, for a service manager or a terminal.
#include "api/host_api_attach.h"
#include "control/bridge_runtime.h"
#include "control/console_operator.h"
#include "control/run_bridge.h"
#include "control/service_notifier.h"
#include "core/main_window_model.h"

#include <QCoreApplication>
#include <QThread>

#include <memory>

int main(int argc, char *argv[])
{
    if (const auto status = merovan::answerInformationRequest(argc, argv))
        return *status;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Merovan"));

    merovan::MainWindowModel model;
    merovan::ConsoleOperator op(model);
    std::unique_ptr<merovan::ServiceNotifier> serviceManager;
    merovan::HostApiHandle api;
    // Its lines follow the bridge's writes in order: it runs beside it.
    return merovan::runBridge(app, op, [&](merovan::BridgeRuntime &runtime) {
        op.runBeside(runtime.worker);
        serviceManager = std::make_unique<merovan::ServiceNotifier>(runtime.bridge, op);
        return merovan::attachHostApi(runtime, api);
    });
}
