#pragma once

#include "history/job_record.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <optional>

namespace merovan {

class ThreadConnections;

// Every job the bridge runs, kept in an SQLite database (merovan.db in the
// working folder). The bridge writes from its worker thread while the host
// API reads from the main thread: each thread gets a connection of its own.
// Writes are in the WAL and synced before a call returns.
//
// A database that is not one, is damaged or holds other tables never stops
// the bridge: open() sets it aside and starts a new one. When no database
// can be made at all, available() is false and every call fails (0,
// nothing, false) without touching the disk.
class JobHistory {
public:
    explicit JobHistory(const QString &path = QStringLiteral("merovan.db"));
    ~JobHistory();
    JobHistory(const JobHistory &) = delete;
    JobHistory &operator=(const JobHistory &) = delete;

    // Opens or makes the database. Returns what the operator should be told
    // (a database set aside, or why there is no history), empty when all is
    // well. Called before any other thread uses the history.
    QString open();
    bool available() const { return available_; }
    QString path() const { return path_; } // absolute

    // Records a queued or running job. Returns its id, or 0 when it was not
    // recorded: the history is unavailable, the state is an end, or the
    // idempotency key is already taken.
    qint64 add(const JobRecord &record);
    // A job that has not ended starts to run. False when no such job is
    // under way or it could not be written.
    bool markRunning(qint64 id, const QDateTime &at, const QString &tag, const QString &jobPath);
    // A job that has not ended ends in state (done, interrupted, rejected).
    bool finish(qint64 id, JobState state, const QStringList &result,
                const std::optional<QList<qint64>> &receipt, std::optional<int> exitCode,
                const QDateTime &at);

    std::optional<JobRecord> find(qint64 id) const;
    std::optional<JobRecord> findByKey(const QString &key) const;
    // At most limit jobs with an id below before (0: no bound), newest first.
    QList<JobRecord> list(int limit, qint64 before) const;
    // The jobs in state, oldest first.
    QList<JobRecord> inState(JobState state) const;

    // Forgets the jobs that ended before olderThan, and with them their
    // keys. Returns how many went.
    int prune(const QDateTime &olderThan);

private:
    QString path_;
    std::unique_ptr<ThreadConnections> connections_;
    std::atomic<bool> available_{false};
};

} // namespace merovan
