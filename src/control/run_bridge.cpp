#include "control/run_bridge.h"

#include "control/bridge.h"
#include "control/stop_signals.h"
#include "core/clock.h"
#include "device/connection.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

namespace merovan {

int runBridge(QCoreApplication &app, Operator &op,
              const std::function<void(Bridge &, DebugLog &, QThread &worker)> &attach)
{
    SystemClock clock;
    DebugLog log(clock, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("merovanLog.txt")));
    Connection connection;
    RegisterLink link(clock, op, log, connection);
    Bridge bridge(op, clock, log, link);

    // The worker owns the register: the search, jobs and reports run there,
    // one at a time, while this thread stays free for the operator.
    QThread worker;
    worker.setObjectName(QStringLiteral("register"));
    attach(bridge, log, worker);
    bridge.moveToThread(&worker);

    QObject::connect(
        &bridge, &Bridge::programEnded, &app, [](int status) { QCoreApplication::exit(status); },
        Qt::QueuedConnection);
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &app, [&bridge] { bridge.requestStop(); });

    // The command line is the program's arguments joined by single spaces.
    const QString commandLine = app.arguments().mid(1).join(QLatin1Char(' '));
    worker.start();
    QMetaObject::invokeMethod(&bridge, [&bridge, commandLine] {
        if (const auto status = bridge.start(commandLine))
            bridge.endWith(*status);
    });
    const int status = app.exec();

    // The bridge comes home before its thread ends, to be destroyed where
    // it lives.
    QThread *home = app.thread();
    QMetaObject::invokeMethod(&bridge, [&bridge, home] { bridge.moveToThread(home); }, Qt::BlockingQueuedConnection);
    worker.quit();
    worker.wait();
    return status;
}

} // namespace merovan
