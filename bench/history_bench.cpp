// The job history's costs: the three synced writes of a job's life on the
// worker thread, a page of the API's list, and open() (its quick_check) at
// start-up on a history of many jobs.
//
//   build/bin/history_bench [JOBS]   (default 100000 jobs kept)
#include "history/job_history.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace merovan;

namespace {

// Median and worst of runs of what, in milliseconds.
void report(const char *what, int runs, const std::function<void(int)> &step)
{
    QList<double> ms;
    for (int n = 0; n < runs; ++n) {
        QElapsedTimer timer;
        timer.start();
        step(n);
        ms << timer.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-52s median %8.2f ms  worst %8.2f ms  (%d runs)\n", what, ms[ms.size() / 2], ms.last(), runs);
}

// Copies the jobs there are until there are count, in one transaction.
void growTo(const QString &path, int count)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery query(db);
        for (;;) {
            query.exec(QStringLiteral("SELECT count(*) FROM jobs"));
            query.next();
            const int missing = count - query.value(0).toInt();
            if (missing <= 0)
                break;
            query.exec(QStringLiteral(
                "INSERT INTO jobs (source, kind, fingerprint, job_path, tag, state, queued_at, started_at,"
                " ended_at, result, receipt, exit_code) SELECT source, kind, fingerprint, job_path, tag, state,"
                " queued_at, started_at, ended_at, result, receipt, exit_code FROM jobs LIMIT %1").arg(missing));
        }
        db.commit();
        // Into the database file, as the many small commits of a real run would have it.
        query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int kept = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("history_bench-XXXXXX")));
    const QString path = dir.filePath(QStringLiteral("merovan.db"));
    JobHistory history(path);
    if (const QString problem = history.open(); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }

    QStringList block;
    for (int line = 0; line < 12; ++line)
        block << QStringLiteral("Err = 0, [ΤΕΛΟΣ ΑΠΟΔΕΙΞΗΣ %1] DateTime = 07/12/2026 08:01:02").arg(line);
    JobRecord job;
    job.fingerprint = QByteArray(64, 'f');
    job.jobPath = dir.filePath(QStringLiteral("print.1"));
    job.queuedAt = QDateTime::currentDateTimeUtc();
    report("a job's life: add, markRunning, finish (3 syncs)", 200, [&](int n) {
        job.idempotencyKey = QStringLiteral("key-%1").arg(n);
        const qint64 id = history.add(job);
        history.markRunning(id, QDateTime::currentDateTimeUtc(), QStringLiteral("A%1").arg(n), job.jobPath);
        history.finish(id, JobState::Done, block, QList<qint64>{12, 345, 6}, 0, QDateTime::currentDateTimeUtc());
    });

    growTo(path, kept);
    std::printf("%lld jobs kept, merovan.db %lld bytes, its WAL %lld bytes\n", history.list(1, 0).value(0).id,
                QFileInfo(path).size(), QFileInfo(path + QStringLiteral("-wal")).size());
    report("list(50, 0), the newest page", 50, [&](int) { history.list(50, 0); });
    report("list(50, before), a page in the middle", 50, [&](int n) { history.list(50, kept / 2 - n); });
    report("find(id)", 50, [&](int n) { history.find(kept / 3 + n); });
    report("inState(running) at start-up", 20, [&](int) { history.inState(JobState::Running); });
    report("open() of the whole file (quick_check)", 5, [&](int) { JobHistory(path).open(); });
    return 0;
}
