// Prints what the bridge adds to an exchange with the register, measured
// against merovan-sim over real UDP and a real pseudo-terminal:
//  (a) its own time per exchange beyond the pauses the protocol prescribes,
//  (b) the CPU it burns while a command goes unanswered for 28 seconds.
// Run: build/bin/exchange_bench (needs build/bin/merovan-sim beside it).
#include "bench_support.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <sys/resource.h>

#include <cstdio>
#include <optional>

using namespace merovan;
using namespace merovan::bench;

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct LinkSetup {
    const char *name;
    QStringList simArguments;
    QString connectionText;
};

void measure(const LinkSetup &setup, const QStringList &extra, int exchanges)
{
    Program sim(QStringLiteral("merovan-sim"), setup.simArguments + extra);
    sim.process.waitForReadyRead(5000);
    BenchClock clock;
    QuietOperator op;
    QTemporaryDir dir;
    DebugLog log(clock, dir.filePath(QStringLiteral("log.txt")));
    Connection connection;
    connection.connectionText = setup.connectionText;
    RegisterLink link(clock, op, log, connection);
    link.jobResultFile = dir.filePath(QStringLiteral("Result"));

    CommandResult sent;
    if (extra.isEmpty()) {
        sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = true}); // opens the link
        clock.paused = 0;
        QElapsedTimer wall;
        wall.start();
        for (int i = 0; i < exchanges; ++i)
            sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = true});
        const double perExchange = double(wall.elapsed() - clock.paused) / exchanges;
        std::printf("(a) %-4s own time per exchange beyond prescribed pauses: %.3f ms (result %d, %d exchanges)\n",
                    setup.name, perExchange, sent.code, exchanges);
    } else {
        const double cpuBefore = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = true});
        const double seconds = wall.elapsed() / 1000.0;
        std::printf("(b) %-4s no answer: result %d after %.1f s wall, CPU %.4f s = %.3f %% of wall\n", setup.name,
                    sent.code, seconds, cpuSeconds() - cpuBefore, 100.0 * (cpuSeconds() - cpuBefore) / seconds);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString port = QString::number(freePort());
    const QString pty = dir.filePath(QStringLiteral("ttyBENCH"));
    qputenv("MEROVAN_COM1", pty.toLocal8Bit());

    const LinkSetup links[] = {
        {"udp", {QStringLiteral("--udp"), QStringLiteral("127.0.0.2:") + port}, QStringLiteral("127.0.0.2:") + port},
        {"pty", {QStringLiteral("--pty"), pty}, QStringLiteral("com1:9600")},
    };
    const int exchanges = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50;
    for (const LinkSetup &link : links)
        measure(link, {}, exchanges);
    for (const LinkSetup &link : links)
        measure(link, {QStringLiteral("--silent")}, 0);
    return 0;
}
