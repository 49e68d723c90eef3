#pragma once
// What the benchmarks of whole jobs share: job texts, the register on a
// link, and merovand in resident mode against merovan-sim.
#include "bench_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace merovan::bench {

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline const QByteArray kVats("\0\0\0\0\0\0\x38\x40\0\0\0\0\0\0\x2a\x40\0\0\0\0\0\0\x18\x40\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x31\x40",
                       40);

inline QByteArray receiptJob(int items)
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
    return items > 1 ? job + " to    1     500.00\r\n" : job;
}

inline qint64 prescribedMs(qsizetype replies) { return 100 * replies + 250; }

inline qsizetype traceLines(const QString &trace) { return readFile(trace).count('\n'); }

// The register on one link: the simulator's switches, and how the bridge
// names it (connection text, param.ini lines, environment).
struct Link {
    const char *name;
    QStringList simArguments;
    QString connectionText;
    QByteArray paramLines;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

inline Link udpLink()
{
    const QString port = QString::number(freePort());
    return {"UDP", {QStringLiteral("--udp"), QStringLiteral("127.0.0.2:") + port}, QStringLiteral("127.0.0.2:") + port,
            "[port] 127.0.0.2\r\n[baud] " + port.toLatin1() + "\r\n"};
}

inline Link ptyLink(const QString &path)
{
    Link link{"pty", {QStringLiteral("--pty"), path}, QStringLiteral("com1:9600"), "[port] com1\r\n[baud] 9600\r\n"};
    link.environment.insert(QStringLiteral("MEROVAN_COM1"), path);
    qputenv("MEROVAN_COM1", path.toLocal8Bit());
    return link;
}

inline qint64 msUntil(const QElapsedTimer &since, const std::function<bool()> &done)
{
    while (!done() && since.elapsed() < 30000)
        QThread::usleep(500);
    return since.elapsed();
}

inline qint64 median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// merovand in resident mode against the simulator, taking the jobs renamed
// into its folder one at a time.
class ResidentBridge {
public:
    ResidentBridge(const Link &link, const QDir &dir, const QStringList &bridgeArguments = {})
        : dir_(dir), trace_(dir.filePath(QStringLiteral("trace-r.txt"))),
          sim_(QStringLiteral("merovan-sim"), link.simArguments + QStringList{QStringLiteral("--trace"), trace_})
    {
        sim_.process.waitForReadyRead(5000);
        writeFile(dir.filePath(QStringLiteral("vats.dat")), kVats);
        writeFile(dir.filePath(QStringLiteral("param.ini")),
                  link.paramLines + "[file] print\r\n[multi type] true\r\n[print_desc] true\r\n[comments] true\r\n"
                                    "[currency]=0\r\n[ecrt] mikro\r\n[AutoStar]=yes\r\n[location] " +
                      dir.filePath(QStringLiteral("jobs/")).toUtf8() + "\r\n");
        dir.mkpath(QStringLiteral("jobs"));
        bridge_.emplace(QStringLiteral("merovand"), bridgeArguments, dir.path(), link.environment);
        QElapsedTimer started;
        started.start();
        msUntil(started, [&] {
            bridge_->process.waitForReadyRead(10);
            return bridge_->process.readAll().contains("Merovan- Αναμονή");
        });
    }

    struct Timing {
        qint64 pickUp;     // rename to the first command at the register
        qint64 overPauses; // rename to file gone, less the prescribed pauses
        qint64 prescribed; // the pauses of the commands the register received meanwhile
    };
    // Renames a job of that many items in at a random moment and waits
    // until its file is gone.
    Timing run(int items)
    {
        const QString job = dir_.filePath(QStringLiteral("jobs/print.1"));
        QThread::msleep(QRandomGenerator::global()->bounded(250));
        writeFile(job + QStringLiteral(".tmp"), receiptJob(items));
        const qsizetype before = traceLines(trace_);
        QElapsedTimer renamed;
        renamed.start();
        QFile::rename(job + QStringLiteral(".tmp"), job);
        const qint64 pickUp = msUntil(renamed, [&] { return traceLines(trace_) > before; });
        const qint64 gone = msUntil(renamed, [&] { return !QFile::exists(job); });
        bridge_->process.readAll();
        const qint64 prescribed = prescribedMs(traceLines(trace_) - before);
        return {pickUp, gone - prescribed, prescribed};
    }
    qint64 pid() const { return bridge_->process.processId(); }

private:
    QDir dir_;
    QString trace_;
    Program sim_;
    std::optional<Program> bridge_;
};

} // namespace merovan::bench
