// merovan: the desktop bridge.
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
    return merovan::runBridge(app, op, [&](merovan::Bridge &bridge, merovan::DebugLog &log, QThread &) {
        desktop = std::make_unique<merovan::Desktop>(op, bridge, log);
    });
}
