// Prints what the bridge adds to a whole job, against merovan-sim over UDP
// with no latency:
//  (a) a 30-item receipt: time from the job being taken to its result block
//      complete, against the sum of the pauses the protocol prescribes for
//      its commands (100 ms per reply, 250 ms at the end);
//  (b) resident memory of merovand after 20 and after 200 small jobs.
// Run: build/bin/job_bench (merovand and merovan-sim beside it). Part (b)
// takes about six minutes: the job timer takes one job a second.
#include "bench_support.h"
#include "core/progress.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "interpreter/interpreter.h"
#include "interpreter/keywords.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using namespace merovan;
using namespace merovan::bench;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kVats("\0\0\0\0\0\0\x38\x40\0\0\0\0\0\0\x2a\x40\0\0\0\0\0\0\x18\x40\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x31\x40",
                       40);

QByteArray receiptJob(int items)
{
    QByteArray job = "tag:  BENCH\r\n";
    for (int i = 1; i <= items; ++i) {
        QByteArray line = " PLU";
        line = line.leftJustified(19, ' ') + QByteArray("ITEM ") + QByteArray::number(i);
        line = line.leftJustified(47, ' ') + QByteArray::number(1 + i % 3).rightJustified(7, ' ');
        line = line.leftJustified(56, ' ') + QByteArray("1.50").rightJustified(9, ' ');
        line = line.leftJustified(68, ' ') + QByteArray("24").rightJustified(5, ' ');
        job += line + "\r\n";
    }
    return job + " to    1     500.00\r\n";
}

void receiptAgainstPauses(const QString &port)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    writeFile(QStringLiteral("vats.dat"), kVats);
    writeFile(QStringLiteral("job.txt"), receiptJob(30));
    Program sim(QStringLiteral("merovan-sim"), {QStringLiteral("--udp"), QStringLiteral("127.0.0.2:") + port,
                                                QStringLiteral("--trace"), dir.filePath(QStringLiteral("trace.txt"))});
    sim.process.waitForReadyRead(5000);

    BenchClock clock;
    QuietOperator op;
    DebugLog log(clock, dir.filePath(QStringLiteral("log.txt")));
    Connection connection;
    connection.ConnectionText = QStringLiteral("127.0.0.2:") + port;
    RegisterLink link(clock, op, log, connection);
    QString reply;
    CLSiND progress(op);
    Interpreter interpreter(link, op, clock, log, reply, progress);
    installKeywords(interpreter);
    ParamSettings settings;
    settings.printDesc = settings.comments = QStringLiteral("true");
    settings.currency = QStringLiteral("0");

    QElapsedTimer wall;
    wall.start();
    interpreter.runJob(QStringLiteral("job.txt"), settings);
    const qint64 elapsed = wall.elapsed();

    const qsizetype replies = readFile(dir.filePath(QStringLiteral("trace.txt"))).count('\n');
    const qint64 prescribed = 100 * replies + 250;
    std::printf("(a) 30-item receipt: %lld ms for %lld commands; prescribed pauses %lld ms; ratio %.3f\n"
                "    (time of day read at whole seconds: the wait to the next whole second is left out)\n",
                static_cast<long long>(elapsed), static_cast<long long>(replies), static_cast<long long>(prescribed),
                double(elapsed) / double(prescribed));
}

long residentKiB(qint64 pid)
{
    for (const QByteArray &line : readFile(QStringLiteral("/proc/%1/status").arg(pid)).split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void memoryOverManyJobs(const QString &port)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("jobs"));
    writeFile(dir.filePath(QStringLiteral("vats.dat")), kVats);
    writeFile(dir.filePath(QStringLiteral("param.ini")),
              "[port] 127.0.0.2\r\n[baud] " + port.toLatin1() +
                  "\r\n[file] print\r\n[multi type] true\r\n[print_desc] true\r\n[comments] true\r\n"
                  "[currency]=0\r\n[AutoStar]=yes\r\n[location] " + dir.filePath(QStringLiteral("jobs/")).toUtf8() +
                  "\r\n");
    Program sim(QStringLiteral("merovan-sim"), {QStringLiteral("--udp"), QStringLiteral("127.0.0.2:") + port});
    sim.process.waitForReadyRead(5000);
    Program bridge(QStringLiteral("merovand"), {}, dir.path());

    const QByteArray job = "tag:  SMALL\r\n";
    for (int done = 0; done < 200;) {
        const QString next = dir.filePath(QStringLiteral("jobs/print.1"));
        if (!QFile::exists(next)) {
            if (done > 0 || QFile::exists(dir.filePath(QStringLiteral("Result")))) {
                ++done;
                if (done == 20 || done == 200)
                    std::printf("(b) merovand resident memory after %3d jobs: %ld KiB\n", done,
                                residentKiB(bridge.process.processId()));
                std::fflush(stdout);
            }
            writeFile(next + QStringLiteral(".tmp"), job);
            QFile::rename(next + QStringLiteral(".tmp"), next);
        }
        QThread::msleep(50);
        bridge.process.readAll();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    receiptAgainstPauses(QString::number(freePort()));
    if (argc < 2 || QByteArray(argv[1]) != "--no-memory")
        memoryOverManyJobs(QString::number(freePort()));
    return 0;
}
