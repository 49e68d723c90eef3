// merovand: the bridge without widgets, for a service manager or a terminal.
#include "control/console_operator.h"
#include "control/run_bridge.h"
#include "core/main_window_model.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Merovan"));

    merovan::MainWindowModel model;
    merovan::ConsoleOperator op(model);
    return merovan::runBridge(app, op, [](merovan::Bridge &, merovan::DebugLog &) {});
}
