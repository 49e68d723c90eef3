// The host API's jobs and reports: taken from the queue by the worker, one
// at a time like every job, between the folder's jobs.
#include "control/bridge.h"
#include "control/state_texts.h"
#include "core/clock.h"
#include "core/main_window_model.h"
#include "device/register_link.h"
#include "jobs/api_job_intake.h"

#include <QFile>

namespace merovan {

bool Bridge::runQueuedJob()
{
    const std::optional<QueuedJob> job = queue_.take();
    if (!job)
        return false;
    if (job->kind != JobKind::Job) {
        runQueuedReport(*job);
        return true;
    }
    const QString resultFile = ApiJobIntake::resultPathFor(job->path);
    // One that cannot be recorded waits at the head of the queue, with the
    // reason on the status line, as a folder job waits in its folder.
    if (!canRecordJob(job->path, false, resultFile)) {
        queue_.putBack(*job);
        return false;
    }
    showReceiptNumber();
    const JobOutcome outcome = runJob(job->path, JobSource::Api, &*job);
    if (outcome == JobOutcome::NotStarted) {
        queue_.putBack(*job);
        return false;
    }
    window_.setStatus(state::waitingAfterJobStatus());
    window_.repaint();
    window_.setCaption(state::waitingAfterJobCaption());
    disposeOfJob(job->path, outcome, false);
    // The block is in the history now; the file was only its way there.
    QFile::remove(resultFile);
    endAfterJobIfAsked();
    return true;
}

void Bridge::runQueuedReport(const QueuedJob &job)
{
    jobRunning_ = true;
    recorder_.taken(job.id, JobSource::Api, job.kind, {});
    recorder_.started({}, {});
    const bool accepted = runReportOfKind(job.kind);
    recorder_.ended(accepted ? JobState::Done : JobState::Rejected, accepted ? 0 : 1);
    jobRunning_ = false;
    endAfterJobIfAsked();
}

namespace {

// How long a look from afar keeps the register being asked after it, and
// how long one question waits: an idle register answers "KXSTAT" within
// a tenth of a second, so one that is silent that long is off line. Asked
// twice a second, a register that went away shows within a second, and on
// a page that looks each second within two.
constexpr qint64 kWatchMs = 5000;
constexpr int kPresenceDeadlineMs = 400;

} // namespace

void Bridge::noteWatched() { watchedAtMs_ = clock_.monotonicMs(); }

void Bridge::presenceTick()
{
    const qint64 watchedAt = watchedAtMs_;
    if (watchedAt < 0 || clock_.monotonicMs() - watchedAt > kWatchMs)
        return;
    if (jobRunning_ || ended_ || searchTimer_.isActive() || link_.stops().requested())
        return;
    link_.probePresence(kPresenceDeadlineMs);
}

int Bridge::progressPercent() const
{
    // Before its first line the label shows "-": nothing done yet.
    return progress_.value() < 1 ? 0 : qMin(progress_.percent(), 100);
}

bool Bridge::reportsCanRun() const
{
    return !searchTimer_.isActive() && window_.isEnabled(WindowControl::ReportsMenu);
}

void Bridge::queuedWorkArrived()
{
    if (jobRunning_ || ended_ || link_.stops().requested())
        return;
    // While jobs are taken, the next tick is now; otherwise only a report
    // runs, once the register has been found, as from the menu.
    if (jobTimer_.isActive()) {
        jobTick();
        return;
    }
    const std::optional<QueuedJob> next = queue_.peek();
    if (next && next->kind != JobKind::Job && reportsCanRun())
        runQueuedJob();
}

} // namespace merovan
