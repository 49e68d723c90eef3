#include "control/run_bridge.h"

#include "control/bridge.h"
#include "control/bridge_runtime.h"
#include "control/job_check.h"
#include "control/register_folder.h"
#include "control/stop_signals.h"
#include "core/clock.h"
#include "device/connection.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "history/job_history.h"
#include "jobs/api_job_intake.h"
#include "settings/param_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <optional>

namespace merovan {

namespace {

// A copy run from a folder of its own (unpacked in the shop's folder) keeps
// its log beside the program. An installed program's folder is the
// system's and not the shop's, so it keeps the log in its working folder,
// beside param.ini.
QString logFilePath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString installedFolder = QFileInfo(QStringLiteral(MEROVAN_INSTALLED_BINDIR)).canonicalFilePath();
    const bool installed = QFileInfo(programFolder).canonicalFilePath() == installedFolder;
    return QDir(installed ? QDir::currentPath() : programFolder).filePath(QStringLiteral("merovanLog.txt"));
}

// "--http ADDRESS:PORT" alone: its address; otherwise nothing, and the
// arguments are the command line as they always were.
std::optional<QString> httpArgument(const QStringList &arguments)
{
    if (arguments.size() == 2 && arguments[0] == QStringLiteral("--http"))
        return arguments[1];
    return std::nullopt;
}

HttpSettings httpSettingsOf(const std::optional<QString> &given)
{
    HttpSettings settings = httpSettings(readParamFileLines(kParamFile).value_or(QStringList()));
    if (given)
        settings.address = *given;
    return settings;
}

} // namespace

std::optional<int> answerInformationRequest(int argc, char *argv[])
{
    if (argc != 2 && argc != 3)
        return std::nullopt;
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    const QString argument = QString::fromLocal8Bit(argv[1]);
    if (argc == 3) {
        const QString operand = QString::fromLocal8Bit(argv[2]);
        if (argument == QStringLiteral("--init"))
            return runRegisterSetUp(operand);
        if (argument != QStringLiteral("--check"))
            return std::nullopt;
        QCoreApplication app(argc, argv);
        return runJobCheck(operand);
    }
    QString text;
    if (argument == QStringLiteral("--version")) {
        text = program + QLatin1Char(' ') + QStringLiteral(MEROVAN_VERSION) + QLatin1Char('\n');
    } else if (argument == QStringLiteral("--help")) {
        text = QStringLiteral("Usage: %1                 resident: param.ini in the working folder, jobs from its folder\n"
                              "       %1 --http ADDRESS:PORT   resident, with the host API on that address\n"
                              "       %1 PORT:BAUD BAUD JOB DELAY MODEL FLAGS   one job, then end\n"
                              "       %1 --check JOB      dry run of a job file: how it is read, what it sends\n"
                              "       %1 --init FOLDER    set up a register's folder (as root: for the merovan user)\n"
                              "       %1 --help | --version\n"
                              "Exit status: 0 done; 1 command line refused, or a job a crash cut short handed again;\n"
                              "2 no param.ini; 3 the register did not answer; 4 no job file; 5 stopped before the job;\n"
                              "6 the job ran before (its file could not be removed); 7 the job cannot be recorded;\n"
                              "8 the host API cannot start as asked (an open address without a token, a bad address).\n"
                              "--check: 0 nothing to point out, 1 something to point out, 4 the job cannot be read.\n")
                   .arg(program);
    } else {
        return std::nullopt;
    }
    std::fputs(text.toUtf8().constData(), stdout);
    return 0;
}

int runBridge(QCoreApplication &app, Operator &op,
              const std::function<std::optional<int>(BridgeRuntime &runtime)> &attach)
{
    SystemClock clock;
    DebugLog log(clock, logFilePath());
    Connection connection;
    RegisterLink link(clock, op, log, connection);
    Bridge bridge(op, clock, log, link);

    // The command line is the program's arguments joined by single spaces.
    const QStringList arguments = app.arguments().mid(1);
    const std::optional<QString> httpAddress = httpArgument(arguments);
    const QString commandLine = httpAddress ? QString() : arguments.join(QLatin1Char(' '));

    // A history that cannot be had never stops the work: the operator is
    // told at start-up, and the jobs run unrecorded there.
    JobHistory history;
    bridge.setStartupNotice(history.open());
    JobHistory *kept = history.available() ? &history : nullptr;
    bridge.setJobHistory(kept);
    ApiJobIntake intake(kept, bridge.queue(), clock);
    intake.stopping = [&link] { return link.stops().requested(); };
    intake.requeueWaitingJobs();

    // The worker owns the register: the search, jobs and reports run there,
    // one at a time, while this thread stays free for the operator.
    QThread worker;
    worker.setObjectName(QStringLiteral("register"));
    BridgeRuntime runtime{bridge, log, link, worker, kept, intake, httpSettingsOf(httpAddress)};
    bridge.setHistoryDays(runtime.http.historyDays);
    if (const std::optional<int> status = attach(runtime))
        return *status;
    bridge.moveToThread(&worker);

    QObject::connect(
        &bridge, &Bridge::programEnded, &app, [](int status) { QCoreApplication::exit(status); },
        Qt::QueuedConnection);
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &app, [&bridge] { bridge.requestStop(); });

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
