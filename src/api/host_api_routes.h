#pragma once

#include "api/api_access.h"
#include "api/api_refusal.h"
#include "api/host_api_backend.h"
#include "api/http_types.h"

#include <QObject>
#include <QStringList>

#include <functional>

namespace merovan {

// Every endpoint of the host API over the backend: which request goes
// where, who may make it, and its answer. It lives on the backend's thread.
class HostApiRoutes : public QObject {
    Q_OBJECT
public:
    HostApiRoutes(HostApiBackend &backend, ApiAccessRules rules, QObject *parent = nullptr);

    void handle(const HttpRequest &request, const HttpAnswerPtr &answer);

    // One endpoint's request: what its path held (a job id, a report's name).
    struct Call {
        const HttpRequest &request;
        const QStringList &captures;
        const HttpAnswerPtr &answer;
    };

private:
    // Jobs and reports (job_routes.cpp).
    void postJob(const Call &call);
    void postReport(const Call &call);
    void getJob(const Call &call);
    void listJobs(const Call &call);
    void answerSubmission(const Call &call, const JobSubmission &submission);
    // Answers with the job once it has ended or the wait has run out.
    void answerJobWhenEnded(const HttpAnswerPtr &answer, qint64 id, qint64 seconds,
                            std::function<HttpResponse(const JobRecord &)> respond);

    // The bridge as a whole (bridge_routes.cpp).
    void getStatus(const Call &call);
    void postStop(const Call &call);
    void getLog(const Call &call);
    void getMetrics(const Call &call);
    void getConsoleFile(const Call &call);

    struct Route;
    static const QList<Route> &routes();
    void dispatch(const HttpRequest &request, const HttpAnswerPtr &answer);

    HostApiBackend &backend_;
    const ApiAccessRules rules_;
};

// Answers with the first refusal among a request's checked values; true
// when there was one. Otherwise each holds its value.
template <typename... Values>
bool refused(const HttpAnswerPtr &answer, const Checked<Values> &...checked)
{
    const ApiRefusal *refusal = nullptr;
    ((refusal = refusal ? refusal : std::get_if<ApiRefusal>(&checked)), ...);
    if (refusal)
        answer->send(refusal->response());
    return refusal != nullptr;
}

} // namespace merovan
