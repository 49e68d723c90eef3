#pragma once

#include "history/job_record.h"

#include <QByteArray>
#include <QMap>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace merovan {

class Clock;
class JobHistory;

// The job history's side of a run: the worker tells it when a job is
// taken, when its start is recorded in the journal, every line of its
// result block, and how it ended; it keeps the history's record in step and
// knows the job under way for the status. Without a history (it could not
// be opened) it still knows the job under way and records nothing.
//
// The history is written after the journal at the start and before the
// journal is cleared at the end, so after a crash a job still "running" in
// the history is the one the journal reports.
class JobRecorder {
public:
    JobRecorder(JobHistory *history, const Clock &clock);
    void setHistory(JobHistory *history) { history_ = history; }

    // A job is taken: queuedId is its history id when it was queued (a host
    // API job), 0 when it comes from the folder or the command line.
    void taken(qint64 queuedId, JobSource source, JobKind kind, const QString &path);
    // Its start is in the journal: from here it is running.
    void started(const QString &tag, const QByteArray &fingerprint);
    // A line of its result block as written.
    void lineWritten(const QString &line);
    // It ended; its exit code is the block's unless given (a report's).
    void ended(JobState state, std::optional<int> exitCode = std::nullopt);
    // It was not started and goes back to wait: nothing is recorded.
    void untaken();

    // Start-up: a job the history still shows running was cut short by a
    // crash. Its lines, when the recovery wrote a block, are those given
    // while capturing; endedBeforeCrash says the journal shows its end
    // lines written (it is then done, not interrupted).
    void captureRecovery() { capture(); }
    void settleCrashed(bool endedBeforeCrash);

    struct UnderWay {
        qint64 id = 0;
        JobSource source = JobSource::Folder;
        JobKind kind = JobKind::Job;
        QString tag;
    };
    std::optional<UnderWay> underWay() const;

    // How many jobs ended, by source and end state, since start.
    QMap<QPair<JobSource, JobState>, qint64> endedCounts() const;

    // Told, on the worker, whenever a job's record changed (its id).
    std::function<void(qint64 id)> changed;

    // Drops records older than the given number of days, at most once a
    // day (the first call prunes at once).
    void pruneIfDue(int keepDays);

private:
    void capture();

    JobHistory *history_;
    const Clock &clock_;
    mutable QMutex mutex_;
    std::optional<UnderWay> current_;
    bool running_ = false;
    QString path_;
    bool capturing_ = false;
    QStringList lines_;
    qint64 lastPruneMs_ = -1;
    QMap<QPair<JobSource, JobState>, qint64> endedCounts_;
};

} // namespace merovan
