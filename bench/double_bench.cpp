// Prints how often a lossy network makes the register take an item twice
// without the result file saying so. merovand (resident, multi-file) runs
// receipts of 10 items paid with "pay" against
//   merovan-sim --udp ... --lose-commands 0.02 --lose-replies 0.02 --seed N
// over UDP on loopback; afterwards the simulator's paper rolls show every
// item the register took, and the result file every "Err = -96" line.
//
// Each receipt can cost several 7-second deadlines, so the run keeps its
// state in a work folder and can be ended and resumed:
//   build/bin/double_bench [--receipts 300] [--seed 1] [--minutes M] [--work DIR]
// --minutes ends the run after the receipt under way once M minutes have
// passed; running the same command again goes on where it stopped. Each
// session (a simulator and a bridge) starts its simulator from seed +
// session, so no session repeats another's losses. When the simulator or
// the bridge ends during a receipt (the simulator's standard error is kept
// in sim-SESSION.err), that receipt is left out of the figures and a new
// session goes on with the next one. The figures count every receipt run
// whole so far.
#include "bench_support.h"
#include "double_count.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QThread>

#include <cstdio>

using namespace merovan::bench;

namespace {

constexpr int kItems = 10;

struct Options {
    int receipts = 300;
    int seed = 1;
    int minutes = 0; // 0: no bound
    QString work = QStringLiteral("double_bench.work");
};

Options readOptions(const QStringList &arguments)
{
    Options o;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        const QString &name = arguments[i], &value = arguments[i + 1];
        if (name == QStringLiteral("--receipts"))
            o.receipts = value.toInt();
        else if (name == QStringLiteral("--seed"))
            o.seed = value.toInt();
        else if (name == QStringLiteral("--minutes"))
            o.minutes = value.toInt();
        else if (name == QStringLiteral("--work"))
            o.work = value;
    }
    return o;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QStringList readLines(const QString &path, const char *separator)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1String(separator), Qt::SkipEmptyParts);
}

// A "PLU" line: description at 20, quantity at 48, price at 57, rate at 69.
QByteArray pluLine(const QString &text)
{
    return (QStringLiteral(" PLU").leftJustified(19) + text.leftJustified(28) + QStringLiteral("1").rightJustified(7) +
            QStringLiteral("1.00").rightJustified(11) + QStringLiteral("24").rightJustified(6))
               .toLatin1() +
           "\r\n";
}

QByteArray receiptJob(int receipt)
{
    QByteArray job = "tag:  R" + QByteArray::number(receipt).rightJustified(4, '0') + "\r\n";
    for (int i = 1; i <= kItems; ++i)
        job += pluLine(itemText(receipt, i));
    return job + " pay  1\r\n";
}

const QByteArray kVats("\0\0\0\0\0\0\x38\x40\0\0\0\0\0\0\x2a\x40\0\0\0\0\0\0\x18\x40\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x31\x40",
                       40);

// Where a run stands: the next receipt number and the receipts left out.
struct Progress {
    QSettings file;
    int next() { return file.value("next", 1).toInt(); }
    QStringList cut() { return file.value("cut").toStringList(); }
    int whole() { return next() - 1 - int(cut().size()); }
};

bool running(const Program &program) { return program.process.state() == QProcess::Running; }

// Runs receipts until enough are whole, the time is up or the simulator or
// the bridge ends; false in the last case.
bool runSession(const Options &o, const QDir &dir, int session, Progress &progress, const QDeadlineTimer &budget)
{
    const QString port = QString::number(freePort());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    Program sim(QStringLiteral("merovan-sim"),
                {QStringLiteral("--udp"), QStringLiteral("127.0.0.2:") + port, QStringLiteral("--lose-commands"),
                 QStringLiteral("0.02"), QStringLiteral("--lose-replies"), QStringLiteral("0.02"), QStringLiteral("--seed"),
                 QString::number(o.seed + session), QStringLiteral("--trace"),
                 dir.filePath(QStringLiteral("trace-%1.txt").arg(session)), QStringLiteral("--paper"),
                 dir.filePath(QStringLiteral("paper-%1.txt").arg(session))},
                {}, environment, dir.filePath(QStringLiteral("sim-%1.err").arg(session)));
    sim.process.waitForReadyRead(5000);
    dir.mkpath(QStringLiteral("jobs"));
    QFile::remove(dir.filePath(QStringLiteral("jobs/print.1")));
    writeFile(dir.filePath(QStringLiteral("vats.dat")), kVats);
    writeFile(dir.filePath(QStringLiteral("param.ini")),
              "[port] 127.0.0.2\r\n[baud] " + port.toLatin1() +
                  "\r\n[file] print\r\n[multi type] true\r\n[print_desc] true\r\n[comments] true\r\n"
                  "[currency]=0\r\n[ecrt] mikro\r\n[AutoStar]=yes\r\n[location] " +
                  dir.filePath(QStringLiteral("jobs/")).toUtf8() + "\r\n");
    Program bridge(QStringLiteral("merovand"), {}, dir.path());
    for (QDeadlineTimer ready(120000); !bridge.process.readAllStandardOutput().contains("Merovan- Αναμονή");) {
        if (ready.hasExpired() || !running(sim) || !running(bridge))
            return false;
        bridge.process.waitForReadyRead(200);
    }

    const QString job = dir.filePath(QStringLiteral("jobs/print.1"));
    QElapsedTimer took;
    while (progress.whole() < o.receipts && !budget.hasExpired()) {
        const int receipt = progress.next();
        took.start();
        writeFile(job + QStringLiteral(".tmp"), receiptJob(receipt));
        QFile::rename(job + QStringLiteral(".tmp"), job);
        while (QFile::exists(job) && running(sim) && running(bridge))
            QThread::msleep(50);
        bridge.process.readAll();
        progress.file.setValue("next", receipt + 1);
        // A register that went away in the middle would count the rest of
        // the receipt as never taken.
        if (!running(sim) || !running(bridge)) {
            progress.file.setValue("cut", progress.cut() << QString::number(receipt));
            std::printf("receipt %d left out: the simulator or the bridge ended\n", receipt);
            return false;
        }
        std::printf("receipt %d (%d of %d): %lld ms\n", receipt, progress.whole(), o.receipts,
                    static_cast<long long>(took.elapsed()));
        std::fflush(stdout);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const Options o = readOptions(app.arguments());
    QDir().mkpath(o.work);
    const QDir dir(QDir(o.work).absolutePath());
    Progress progress{QSettings(dir.filePath(QStringLiteral("progress.ini")), QSettings::IniFormat)};
    const QDeadlineTimer budget = o.minutes > 0 ? QDeadlineTimer(qint64(o.minutes) * 60000) : QDeadlineTimer::Forever;
    for (int ended = 0; progress.whole() < o.receipts && !budget.hasExpired() && ended < 10;) {
        const int session = progress.file.value("sessions", 0).toInt();
        progress.file.setValue("sessions", session + 1);
        progress.file.sync();
        ended += runSession(o, dir, session, progress, budget) ? 0 : 1;
    }

    QStringList paper;
    for (const QString &name : dir.entryList({QStringLiteral("paper-*.txt")}, QDir::Files))
        paper += readLines(dir.filePath(name), "\n");
    const QStringList cut = progress.cut();
    const DoubleCount c = countDoubles(paper, readLines(dir.filePath(QStringLiteral("Result")), "\r\n"),
                                       progress.next() - 1, cut);
    std::printf("receipts run whole: %d of %d (%d items), in %d session(s); left out: %s; work folder %s\n",
                progress.whole(), o.receipts, c.items, progress.file.value("sessions").toInt(),
                cut.isEmpty() ? "none" : qPrintable(cut.join(u',')), qPrintable(dir.path()));
    std::printf("items the register took twice: %d (warned %d, silent %d)\n", c.doubled, c.warned, c.silent);
    std::printf("silent doubles: %d\n", c.silent);
    std::printf("Err = -96 lines: %d, false warnings (the register holds it once): %d\n", c.warnings, c.falseWarnings);
    std::printf("items the register never took: %d (with an Err line for them: %d); other Err lines: %d\n", c.missing,
                c.missingWithErr, c.otherErrors);
    return 0;
}
