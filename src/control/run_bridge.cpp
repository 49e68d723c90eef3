#include "control/run_bridge.h"

#include "control/bridge.h"
#include "core/clock.h"
#include "device/connection.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"

#include <QCoreApplication>
#include <QDir>

namespace merovan {

int runBridge(QCoreApplication &app, Operator &op, const std::function<void(Bridge &, DebugLog &)> &attach)
{
    SystemClock clock;
    DebugLog log(clock, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("merovanLog.txt")));
    Connection connection;
    RegisterLink link(clock, op, log, connection);
    Bridge bridge(op, clock, log, link);
    attach(bridge, log);

    QObject::connect(
        &bridge, &Bridge::programEnded, &app, [](int status) { QCoreApplication::exit(status); },
        Qt::QueuedConnection);

    // The command line is the program's arguments joined by single spaces.
    const QString commandLine = app.arguments().mid(1).join(QLatin1Char(' '));
    if (const auto status = bridge.start(commandLine))
        return *status;
    return app.exec();
}

} // namespace merovan
