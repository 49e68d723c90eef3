#include "jobs/job_recorder.h"

#include "core/clock.h"
#include "history/job_history.h"
#include "jobs/result_block.h"

#include <QMutexLocker>

namespace merovan {

namespace {

constexpr qint64 kDayMs = 24LL * 60 * 60 * 1000;

} // namespace

JobRecorder::JobRecorder(JobHistory *history, const Clock &clock) : history_(history), clock_(clock) {}

void JobRecorder::capture()
{
    capturing_ = true;
    lines_.clear();
}

void JobRecorder::taken(qint64 queuedId, JobSource source, JobKind kind, const QString &path)
{
    {
        QMutexLocker lock(&mutex_);
        current_ = UnderWay{queuedId, source, kind, {}};
    }
    running_ = false;
    path_ = path;
    capture();
}

void JobRecorder::started(const QString &tag, const QByteArray &fingerprint)
{
    if (!current_)
        return;
    running_ = true;
    const QDateTime now = clock_.now().toUTC();
    qint64 id = current_->id;
    if (history_ && id > 0) {
        history_->markRunning(id, now, tag, path_);
    } else if (history_) {
        JobRecord record;
        record.source = current_->source;
        record.kind = current_->kind;
        record.fingerprint = fingerprint;
        record.jobPath = path_;
        record.tag = tag;
        record.state = JobState::Running;
        record.queuedAt = now;
        record.startedAt = now;
        id = history_->add(record);
    }
    {
        QMutexLocker lock(&mutex_);
        current_->id = id;
        current_->tag = tag;
    }
    if (changed && id > 0)
        changed(id);
}

void JobRecorder::lineWritten(const QString &line)
{
    if (capturing_)
        lines_ << line;
}

void JobRecorder::ended(JobState state, std::optional<int> exitCode)
{
    if (!current_)
        return;
    // A job rejected before it started (unreadable, not a file) is
    // recorded all the same: the host's result file says why.
    if (!running_ && current_->id == 0)
        started(QString(), QByteArray());
    const qint64 id = current_->id;
    if (history_ && id > 0)
        history_->finish(id, state, lines_, receiptCountersOf(lines_), exitCode ? exitCode : exitCodeOf(lines_),
                         clock_.now().toUTC());
    {
        QMutexLocker lock(&mutex_);
        endedCounts_[{current_->source, state}] += 1;
    }
    untaken();
    if (changed && id > 0)
        changed(id);
}

QMap<QPair<JobSource, JobState>, qint64> JobRecorder::endedCounts() const
{
    QMutexLocker lock(&mutex_);
    return endedCounts_;
}

void JobRecorder::untaken()
{
    QMutexLocker lock(&mutex_);
    current_.reset();
    capturing_ = false;
    lines_.clear();
}

void JobRecorder::settleCrashed(bool endedBeforeCrash)
{
    if (history_) {
        const QDateTime now = clock_.now().toUTC();
        for (const JobRecord &record : history_->inState(JobState::Running)) {
            const QStringList lines = endedBeforeCrash ? record.result : lines_;
            history_->finish(record.id, endedBeforeCrash ? JobState::Done : JobState::Interrupted, lines,
                             receiptCountersOf(lines), exitCodeOf(lines), now);
        }
    }
    capturing_ = false;
    lines_.clear();
}

std::optional<JobRecorder::UnderWay> JobRecorder::underWay() const
{
    QMutexLocker lock(&mutex_);
    return current_;
}

void JobRecorder::pruneIfDue(int keepDays)
{
    const qint64 now = clock_.monotonicMs();
    if (!history_ || (lastPruneMs_ >= 0 && now - lastPruneMs_ < kDayMs))
        return;
    lastPruneMs_ = now;
    history_->prune(clock_.now().toUTC().addDays(-keepDays));
}

} // namespace merovan
