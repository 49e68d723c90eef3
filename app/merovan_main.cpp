// merovan: the desktop bridge.
#include "control/bridge.h"
#include "control/main_window.h"
#include "control/run_bridge.h"
#include "control/widget_operator.h"
#include "core/main_window_model.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Merovan"));
    QApplication::setQuitOnLastWindowClosed(false);

    merovan::MainWindowModel model;
    merovan::WidgetOperator op(model);
    std::unique_ptr<merovan::MainWindow> window;
    return merovan::runBridge(app, op, [&](merovan::Bridge &bridge, merovan::DebugLog &log) {
        window = std::make_unique<merovan::MainWindow>(model, bridge, log);
    });
}
