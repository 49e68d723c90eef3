#include "api/bridge_backend.h"

#include "control/bridge.h"
#include "core/main_window_model.h"
#include "core/register_message.h"
#include "device/error_codes.h"
#include "device/register_link.h"
#include "diagnostics/recent_log_lines.h"
#include "history/job_history.h"
#include "jobs/api_job_intake.h"

namespace merovan {

BridgeBackend::BridgeBackend(Bridge &bridge, JobHistory *history, ApiJobIntake &intake, RecentLogLines &log,
                             MainWindowModel &window, RegisterLink &link, QObject *parent)
    : HostApiBackend(parent), bridge_(bridge), history_(history), intake_(intake), log_(log), window_(window),
      link_(link)
{
    connect(&log_, &RecentLogLines::grew, this, &HostApiBackend::logGrew, Qt::QueuedConnection);
    connect(&window_, &MainWindowModel::statusChanged, this, &HostApiBackend::statusChanged, Qt::QueuedConnection);
    connect(&window_, &MainWindowModel::captionChanged, this, &HostApiBackend::statusChanged, Qt::QueuedConnection);
    bridge_.setJobChangeListener([this](qint64 id) {
        QMetaObject::invokeMethod(this, [this, id] { Q_EMIT jobChanged(id); }, Qt::QueuedConnection);
    });
}

SubmitAnswer BridgeBackend::submit(const JobSubmission &submission)
{
    SubmitAnswer answer = intake_.submit(submission);
    if (answer.verdict == SubmitVerdict::Queued)
        Q_EMIT statusChanged();
    return answer;
}

std::optional<JobRecord> BridgeBackend::job(qint64 id) const
{
    return history_ ? history_->find(id) : std::nullopt;
}

QList<JobRecord> BridgeBackend::jobs(int limit, qint64 before) const
{
    return history_ ? history_->list(limit, before) : QList<JobRecord>();
}

BridgeStatus BridgeBackend::status() const
{
    // Whoever asks for the state keeps the register being asked whether it
    // is there, so that it going away shows within two seconds.
    bridge_.noteWatched();
    BridgeStatus status;
    status.online = link_.statistics().online();
    status.firmware = window_.label(WindowControl::VersionLabel);
    status.caption = window_.caption();
    status.statusLine = window_.status();
    status.printing = window_.isEnabled(WindowControl::StopButton);
    status.stopping = stopping();
    status.reportsEnabled = bridge_.reportsCanRun();
    if (const auto underWay = bridge_.recorder().underWay()) {
        status.job = JobUnderWay{underWay->id, underWay->source, underWay->kind, underWay->tag,
                                 bridge_.progressPercent()};
    }
    status.queueLength = bridge_.queue().size();
    if (const int code = link_.lastRegisterError(); code != 0)
        status.lastError = LastRegisterError{code, registerErrorText(QString::number(code))};
    if (const auto message = window_.registerMessage())
        status.registerMessage = RegisterMessageTexts{message->caption(), message->message(), message->detail()};
    return status;
}

QList<LogLine> BridgeBackend::logAfter(qint64 seq) const
{
    QList<LogLine> lines;
    for (const RecentLogLines::Line &line : log_.after(seq))
        lines << LogLine{line.seq, line.text};
    return lines;
}

BridgeMetrics BridgeBackend::metrics() const
{
    BridgeMetrics metrics;
    const auto counts = bridge_.recorder().endedCounts();
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        metrics.jobs[{sourceName(it.key().first), stateName(it.key().second)}] = it.value();
    const LinkStatistics::Snapshot link = link_.statistics().snapshot();
    metrics.commandsSent = link.commandsSent;
    metrics.resends = link.resends;
    metrics.errorReplies = link.errorReplies;
    metrics.exchangeBucketBounds = LinkStatistics::bucketBounds();
    metrics.exchangeBucketCounts = link.bucketCounts;
    metrics.exchangeSecondsSum = link.secondsSum;
    metrics.exchangeCount = link.exchanges;
    metrics.online = link.online;
    metrics.queueLength = bridge_.queue().size();
    return metrics;
}

void BridgeBackend::requestStop() { bridge_.requestStop(); }

bool BridgeBackend::stopping() const { return link_.stops().requested(); }

} // namespace merovan
