// Prints what the bridge adds to whole jobs, against merovan-sim answering
// at once, over UDP and over a pseudo-terminal; nothing is left out:
//  (a) a 30-item receipt run by the interpreter on the real clock: wall time
//      from the job being taken to its result block, over the pauses the
//      protocol prescribes (100 ms per reply, 250 ms at the end);
//  (b) merovand in resident mode, a one-item job renamed into the folder:
//      time until its file is gone, over its prescribed pauses;
//  (c) pick-up: from the rename until the register receives the job's first
//      command, for 20 jobs renamed in at random moments (median, worst);
//  (d) merovand's resident memory after 20 and 200 jobs (UDP).
// Run: build/bin/job_bench [--short] (merovand and merovan-sim beside it).
// --short leaves out the 200 jobs of (d), which take about three minutes.
// build/bin/job_bench --open-files N runs only (e): pick-up, the one-item
// job and merovand's CPU per 10-item job, first on the machine as it is,
// then with N more files held open by other processes.
#include "resident_bench.h"
#include "control/file_ready.h"
#include "core/progress.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "interpreter/interpreter.h"
#include "interpreter/keywords.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <vector>

using namespace merovan;
using namespace merovan::bench;

namespace {

void receiptAgainstPauses(const Link &link, const QDir &dir)
{
    writeFile(dir.filePath(QStringLiteral("vats.dat")), kVats);
    writeFile(dir.filePath(QStringLiteral("job.txt")), receiptJob(30));
    const QString trace = dir.filePath(QStringLiteral("trace-a.txt"));
    Program sim(QStringLiteral("merovan-sim"), link.simArguments + QStringList{QStringLiteral("--trace"), trace});
    sim.process.waitForReadyRead(5000);

    BenchClock clock;
    QuietOperator op;
    DebugLog log(clock, dir.filePath(QStringLiteral("log.txt")));
    Connection connection;
    connection.connectionText = link.connectionText;
    RegisterLink registerLink(clock, op, log, connection);
    QString reply;
    JobProgress progress(op);
    Interpreter interpreter(registerLink, op, clock, log, reply, progress);
    installKeywords(interpreter);
    ParamSettings settings;
    settings.printDescription = settings.comments = SettingSwitch::On;
    settings.currency = CurrencyRule::AsInJob;

    QDir::setCurrent(dir.path());
    QElapsedTimer wall;
    wall.start();
    interpreter.runJob(QStringLiteral("job.txt"), settings);
    const qint64 elapsed = wall.elapsed();
    const qsizetype replies = traceLines(trace);
    std::printf("(a) %-3s 30-item receipt: %lld ms for %lld commands; prescribed pauses %lld ms; ratio %.3f\n",
                link.name, static_cast<long long>(elapsed), static_cast<long long>(replies),
                static_cast<long long>(prescribedMs(replies)), double(elapsed) / double(prescribedMs(replies)));
    std::fflush(stdout);
}

long residentKiB(qint64 pid)
{
    for (const QByteArray &line : readFile(QStringLiteral("/proc/%1/status").arg(pid)).split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Polls every half millisecond until done() or 30 s; the time it took.
// CPU time the process has had so far, summed over its threads, in ns.
qint64 cpuNs(qint64 pid)
{
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        total += readFile(tasks.filePath(task + QStringLiteral("/schedstat"))).split(' ').first().toLongLong();
    return total;
}

void residentJobs(const Link &link, const QDir &dir, int jobs)
{
    ResidentBridge bridge(link, dir);
    std::vector<qint64> pickUps, overPauses;
    for (int done = 1; done <= jobs; ++done) {
        const ResidentBridge::Timing timing = bridge.run(1);
        if (done <= 20) {
            pickUps.push_back(timing.pickUp);
            overPauses.push_back(timing.overPauses);
        }
        if (done == 20 || done == 200)
            std::printf("(d) %-3s merovand resident memory after %3d jobs: %ld KiB\n", link.name, done,
                        residentKiB(bridge.pid()));
        std::fflush(stdout);
    }
    std::printf("(b) %-3s one-item job, rename to file gone, over its prescribed pauses: median %lld ms, worst %lld ms\n"
                "(c) %-3s pick-up, rename to first command at the register: median %lld ms, worst %lld ms\n",
                link.name, static_cast<long long>(median(overPauses)),
                static_cast<long long>(*std::max_element(overPauses.begin(), overPauses.end())), link.name,
                static_cast<long long>(median(pickUps)),
                static_cast<long long>(*std::max_element(pickUps.begin(), pickUps.end())));
    std::fflush(stdout);
}

// Other programs holding many files open: children that each open
// /dev/null as often as their limit of open files allows, until ended.
class OpenFileHolders {
public:
    explicit OpenFileHolders(int files)
    {
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        const int perProcess = int(std::min<rlim_t>(limit.rlim_max - 16, 10000));
        for (int left = files; left > 0; left -= perProcess) {
            const int count = std::min(left, perProcess);
            int ready[2];
            if (::pipe(ready) != 0)
                return;
            const pid_t child = ::fork();
            if (child == 0) {
                limit.rlim_cur = limit.rlim_max;
                setrlimit(RLIMIT_NOFILE, &limit);
                for (int i = 0; i < count; ++i)
                    ::open("/dev/null", O_RDONLY);
                if (::write(ready[1], "+", 1) != 1)
                    ::_exit(1);
                for (;;)
                    ::pause();
            }
            // On once the child holds its files.
            char done = 0;
            if (::read(ready[0], &done, 1) != 1)
                ::kill(child, SIGKILL);
            ::close(ready[0]);
            ::close(ready[1]);
            children_.push_back(child);
        }
    }
    ~OpenFileHolders()
    {
        for (const pid_t child : children_) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
    }
    OpenFileHolders(const OpenFileHolders &) = delete;
    OpenFileHolders &operator=(const OpenFileHolders &) = delete;

private:
    std::vector<pid_t> children_;
};

// (e) The same jobs on a busy machine: pick-up and the one-item job with
// that many files held open by other processes, and the bridge's own CPU
// time per 10-item job.
void jobsBesideOpenFiles(int openFiles)
{
    const OpenFileHolders holders(openFiles);
    QTemporaryDir dir;
    ResidentBridge bridge(udpLink(), QDir(dir.path()));
    std::vector<qint64> pickUps, overPauses;
    for (int i = 0; i < 20; ++i) {
        const ResidentBridge::Timing timing = bridge.run(1);
        pickUps.push_back(timing.pickUp);
        overPauses.push_back(timing.overPauses);
    }
    constexpr int kTenItemJobs = 20;
    const qint64 cpuBefore = cpuNs(bridge.pid());
    for (int i = 0; i < kTenItemJobs; ++i)
        bridge.run(10);
    const double cpuPerJobMs = double(cpuNs(bridge.pid()) - cpuBefore) / kTenItemJobs / 1e6;
    // A file written in place is looked for in the other processes' open
    // files: what that look costs.
    const QString inPlace = dir.filePath(QStringLiteral("in-place"));
    writeFile(inPlace, "tag:  X\r\n");
    QElapsedTimer look;
    look.start();
    jobFileReady(inPlace);
    const qint64 lookUs = look.nsecsElapsed() / 1000;
    std::printf("(e) UDP with %5d files open elsewhere: pick-up median %lld ms, worst %lld ms; one-item job over its "
                "pauses median %lld ms, worst %lld ms; merovand CPU per 10-item job %.2f ms; readiness of a file "
                "written in place %lld us\n",
                openFiles, static_cast<long long>(median(pickUps)),
                static_cast<long long>(*std::max_element(pickUps.begin(), pickUps.end())),
                static_cast<long long>(median(overPauses)),
                static_cast<long long>(*std::max_element(overPauses.begin(), overPauses.end())), cpuPerJobMs,
                static_cast<long long>(lookUs));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--open-files")); at >= 0) {
        jobsBesideOpenFiles(0);
        jobsBesideOpenFiles(arguments.value(at + 1).toInt());
        return 0;
    }
    const bool shortRun = arguments.contains(QStringLiteral("--short"));
    QTemporaryDir udp, pty;
    receiptAgainstPauses(udpLink(), QDir(udp.path()));
    receiptAgainstPauses(ptyLink(pty.filePath(QStringLiteral("ttySIM"))), QDir(pty.path()));
    QTemporaryDir udpResident, ptyResident;
    residentJobs(udpLink(), QDir(udpResident.path()), shortRun ? 20 : 200);
    residentJobs(ptyLink(ptyResident.filePath(QStringLiteral("ttySIM"))), QDir(ptyResident.path()), 20);
    return 0;
}
