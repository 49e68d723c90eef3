// merovan: the desktop bridge.
#include "api/host_api_attach.h"
#include "control/bridge_runtime.h"
#include "control/desktop.h"
#include "control/desktop_look.h"
#include "control/run_bridge.h"
#include "control/widget_operator.h"
#include "core/main_window_model.h"

#include <QApplication>
#include <QThread>

#include <memory>

int main(int argc, char *argv[])
{
    if (const auto status = merovan::answerInformationRequest(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Merovan"));
    QApplication::setQuitOnLastWindowClosed(false);
    merovan::useGreekFont();
    QApplication::setWindowIcon(merovan::programIcon());

    merovan::MainWindowModel model;
    merovan::WidgetOperator op(model);
    std::unique_ptr<merovan::Desktop> desktop;
    merovan::HostApiHandle api;
    return merovan::runBridge(app, op, [&](merovan::BridgeRuntime &runtime) {
        desktop = std::make_unique<merovan::Desktop>(op, runtime.bridge, runtime.log);
        return merovan::attachHostApi(runtime, api);
    });
}
