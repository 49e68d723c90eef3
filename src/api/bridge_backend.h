#pragma once

#include "api/host_api_backend.h"

namespace merovan {

class ApiJobIntake;
class Bridge;
class JobHistory;
class MainWindowModel;
class RecentLogLines;
class RegisterLink;

// The host API's view of the running bridge: jobs go in through the
// intake (and so onto the worker's queue), everything else is read from
// the history, the main window's model, the link's statistics and the
// recent log lines, all of which are safe to read from this thread.
// Nothing here talks to the register.
class BridgeBackend : public HostApiBackend {
    Q_OBJECT
public:
    BridgeBackend(Bridge &bridge, JobHistory *history, ApiJobIntake &intake, RecentLogLines &log,
                  MainWindowModel &window, RegisterLink &link, QObject *parent = nullptr);

    SubmitAnswer submit(const JobSubmission &submission) override;
    std::optional<JobRecord> job(qint64 id) const override;
    QList<JobRecord> jobs(int limit, qint64 before) const override;
    BridgeStatus status() const override;
    QList<LogLine> logAfter(qint64 seq) const override;
    BridgeMetrics metrics() const override;
    void requestStop() override;
    bool stopping() const override;

private:
    Bridge &bridge_;
    JobHistory *history_;
    ApiJobIntake &intake_;
    RecentLogLines &log_;
    MainWindowModel &window_;
    RegisterLink &link_;
};

} // namespace merovan
