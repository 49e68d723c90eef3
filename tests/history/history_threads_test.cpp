// The bridge writes from its worker thread while the host API reads from the
// main thread.
#include "history_fixture.h"

#include <QSqlDatabase>
#include <QThread>

#include <atomic>
#include <memory>

using namespace merovan;
using namespace merovan::test;

namespace {

const QStringList doneLines = {QStringLiteral("tag = A1"), QStringLiteral("exitcode = 0")};

// What a reader may see of a job at any moment.
bool whole(const JobRecord &job)
{
    if (job.ended() != job.endedAt.isValid())
        return false;
    return job.state != JobState::Done || (job.result == doneLines && job.receipt == QList<qint64>{1, 2, 3});
}

TEST(HistoryThreads, TheMainThreadReadsWhileTheWorkerWritesAndNeitherFails)
{
    QTemporaryDir dir;
    auto history = std::make_unique<JobHistory>(dir.filePath(QStringLiteral("merovan.db")));
    ASSERT_EQ(history->open(), QString());
    constexpr int jobCount = 60;
    std::atomic<int> writeFailures{0};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        for (int n = 1; n <= jobCount; ++n) {
            const qint64 id = history->add(queuedJob(n));
            const bool written = id > 0 && history->markRunning(id, utcAt(n), QStringLiteral("A1"), QString())
                && history->finish(id, JobState::Done, doneLines, QList<qint64>{1, 2, 3}, 0, utcAt(n));
            if (!written)
                ++writeFailures;
        }
    }));
    worker->start();

    qint64 newestSeen = 0;
    int readFailures = 0;
    int reads = 0;
    while (!worker->isFinished()) {
        const QList<JobRecord> newest = history->list(20, 0);
        const qint64 newestNow = newest.isEmpty() ? 0 : newest.first().id;
        if (newestNow < newestSeen || (newestNow > 0 && !history->find(newestNow)))
            ++readFailures;
        for (const JobRecord &job : newest)
            readFailures += whole(job) ? 0 : 1;
        newestSeen = newestNow;
        ++reads;
    }
    worker->wait();

    EXPECT_EQ(writeFailures, 0);
    EXPECT_EQ(readFailures, 0);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(history->inState(JobState::Done).size(), jobCount);
    // The worker's connection went with its thread; the main thread's goes with the history.
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), 1);
    history.reset();
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

} // namespace
