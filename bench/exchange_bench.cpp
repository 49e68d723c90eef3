// Prints what the bridge adds to an exchange with the register, measured
// against merovan-sim over real UDP and a real pseudo-terminal:
//  (a) its own time per exchange beyond the pauses the protocol prescribes,
//  (b) the CPU it burns while a command goes unanswered for 28 seconds.
// Run: build/bin/exchange_bench (needs build/bin/merovan-sim beside it).
#include "core/clock.h"
#include "core/main_window_model.h"
#include "core/operator.h"
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

namespace {

// Real time, except that the time of day always reads a whole second: the
// exchange's short wait to the next whole second then takes nothing, so
// what remains is the bridge's own time. Pauses are real and summed.
class BenchClock final : public Clock {
public:
    QDateTime now() const override
    {
        QDateTime t = system_.now();
        return t.addMSecs(-t.time().msec());
    }
    qint64 monotonicMs() const override { return system_.monotonicMs(); }
    void pause(int ms) override
    {
        paused += ms;
        system_.pause(ms);
    }
    QChar decimalSeparator() const override { return system_.decimalSeparator(); }
    qint64 paused = 0;

private:
    SystemClock system_;
};

class QuietOperator final : public Operator {
public:
    QuietOperator() : Operator(model_) {}
    int messageBox(const QString &, int, const QString &) override { return 1; }
    std::optional<QString> inputBox(const QString &) override { return std::nullopt; }
    void showRegisterMessage(RegisterMessage &) override {}
    void letEventsRun() override {}
    void fatal(const QString &) override {}
    void showBanner(const QStringList &) override {}
    void startDetached(const QString &, const QStringList &) override {}

private:
    MainWindowModel model_;
};

struct Simulator {
    QProcess process;
    Simulator(const QStringList &arguments)
    {
        process.setProgram(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("merovan-sim")));
        process.setArguments(arguments);
        process.start();
        process.waitForReadyRead(5000);
    }
    ~Simulator()
    {
        process.terminate();
        process.waitForFinished(3000);
    }
};

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
    // The serial read waits for 20 ms of silence after the last byte.
    int prescribedGapMs;
};

void measure(const LinkSetup &setup, const QStringList &extra, int exchanges)
{
    Simulator sim(setup.simArguments + extra);
    BenchClock clock;
    QuietOperator op;
    QTemporaryDir dir;
    DebugLog log(clock, dir.filePath(QStringLiteral("log.txt")));
    Connection connection;
    connection.ConnectionText = setup.connectionText;
    RegisterLink link(clock, op, log, connection);
    link.jobResultFile = dir.filePath(QStringLiteral("Result"));

    qint16 result = 0;
    QString message;
    if (extra.isEmpty()) {
        link.SendCommand(QStringLiteral("KXCL"), result, message, true); // opens the link
        clock.paused = 0;
        QElapsedTimer wall;
        wall.start();
        for (int i = 0; i < exchanges; ++i)
            link.SendCommand(QStringLiteral("KXCL"), result, message, true);
        const double perExchange = double(wall.elapsed() - clock.paused) / exchanges - setup.prescribedGapMs;
        std::printf("(a) %-4s own time per exchange beyond prescribed pauses: %.3f ms (result %d, %d exchanges)\n",
                    setup.name, perExchange, result, exchanges);
    } else {
        const double cpuBefore = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        link.SendCommand(QStringLiteral("KXCL"), result, message, true);
        const double seconds = wall.elapsed() / 1000.0;
        std::printf("(b) %-4s no answer: result %d after %.1f s wall, CPU %.4f s = %.3f %% of wall\n", setup.name,
                    result, seconds, cpuSeconds() - cpuBefore, 100.0 * (cpuSeconds() - cpuBefore) / seconds);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QUdpSocket probe;
    probe.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0);
    const QString port = QString::number(probe.localPort());
    probe.close();
    const QString pty = dir.filePath(QStringLiteral("ttyBENCH"));
    qputenv("MEROVAN_COM1", pty.toLocal8Bit());

    const LinkSetup links[] = {
        {"udp", {QStringLiteral("--udp"), QStringLiteral("127.0.0.2:") + port}, QStringLiteral("127.0.0.2:") + port, 0},
        {"pty", {QStringLiteral("--pty"), pty}, QStringLiteral("com1:9600"), 20},
    };
    const int exchanges = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50;
    for (const LinkSetup &link : links)
        measure(link, {}, exchanges);
    for (const LinkSetup &link : links)
        measure(link, {QStringLiteral("--silent")}, 0);
    return 0;
}
