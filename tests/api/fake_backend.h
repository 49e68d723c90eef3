#pragma once

#include "api/host_api_backend.h"

#include <QMap>

#include <functional>

namespace merovan::test {

// A backend that answers from what the test put in it and records what it
// was asked.
class FakeBackend final : public HostApiBackend {
public:
    // submit()'s verdict; a job it names is made (Queued) or taken from jobs (SameJob).
    SubmitVerdict verdict = SubmitVerdict::Queued;
    qint64 sameJobId = 0;
    QMap<qint64, JobRecord> jobRecords;
    QList<JobSubmission> submissions;
    QList<LogLine> log;
    BridgeStatus bridgeStatus;
    BridgeMetrics bridgeMetrics;
    int stopRequests = 0;
    // Runs once, at the first question about a job or the log after it is
    // set: the test's next move, made while the request is being handled.
    mutable std::function<void()> onAsked;

    SubmitAnswer submit(const JobSubmission &submission) override;
    std::optional<JobRecord> job(qint64 id) const override;
    QList<JobRecord> jobs(int limit, qint64 before) const override;
    BridgeStatus status() const override { return bridgeStatus; }
    QList<LogLine> logAfter(qint64 seq) const override;
    BridgeMetrics metrics() const override { return bridgeMetrics; }
    void requestStop() override { ++stopRequests; }
    bool stopping() const override { return stopRequests > 0; }

    // A job in the given state, kept and told.
    JobRecord &addJob(qint64 id, JobState state);
    void endJob(qint64 id);
    void addLogLine(const QString &text);

private:
    void asked() const;
};

} // namespace merovan::test
