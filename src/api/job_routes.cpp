#include "api/host_api_routes.h"

#include "api/api_json.h"
#include "api/api_query.h"
#include "api/held_answer.h"
#include "api/job_submission_request.h"
#include "greek/cp1253.h"
#include "interpreter/job_file.h"

#include <QJsonArray>

namespace merovan {

namespace {

// A job handed in: 200 once it has ended, 202 while it is on its way.
HttpResponse submittedJobResponse(const JobRecord &job)
{
    HttpResponse response = jsonResponse(job.ended() ? 200 : 202, jobJson(job));
    response.headers << qMakePair(QByteArray("Location"), jobUrl(job.id).toLatin1());
    return response;
}

HttpResponse jobResponse(const JobRecord &job)
{
    return jsonResponse(200, jobJson(job));
}

HttpResponse noSuchJob(qint64 id)
{
    return errorResponse(ApiError::NotFound, QStringLiteral("no job %1").arg(id));
}

} // namespace

void HostApiRoutes::postJob(const Call &call)
{
    const Checked<QString> key = idempotencyKey(call.request);
    const Checked<QByteArray> text = jobText(call.request);
    if (refused(call.answer, key, text))
        return;
    if (std::get<QByteArray>(text).isEmpty()) {
        call.answer->send(errorResponse(ApiError::BadRequest, QStringLiteral("the body is empty: it is the job text")));
        return;
    }
    // A job that can close the fiscal day needs the token as the Z report
    // does, from this host too.
    if (jobCanCloseFiscalDay(fromCp1253(std::get<QByteArray>(text)))) {
        if (const std::optional<QString> refusal = accessRefusal(rules_, call.request, TokenNeed::Always)) {
            call.answer->send(unauthorizedResponse(
                QStringLiteral("the job has a line that can close the fiscal day (MKZ, snd or PRG): ") + *refusal));
            return;
        }
    }
    answerSubmission(call, {.idempotencyKey = std::get<QString>(key), .kind = JobKind::Job,
                            .jobText = std::get<QByteArray>(text)});
}

void HostApiRoutes::postReport(const Call &call)
{
    const Checked<QString> key = idempotencyKey(call.request);
    if (refused(call.answer, key))
        return;
    // The path has one of the four names.
    const std::optional<JobKind> kind = kindNamed(call.captures.value(1));
    answerSubmission(call, {.idempotencyKey = std::get<QString>(key), .kind = kind.value_or(JobKind::XReport),
                            .jobText = {}});
}

void HostApiRoutes::answerSubmission(const Call &call, const JobSubmission &submission)
{
    const Checked<qint64> wait = waitSeconds(call.request);
    if (refused(call.answer, wait))
        return;
    // Asked first so that no submission reaches a bridge on its way out.
    const SubmitAnswer submitted =
        backend_.stopping() ? SubmitAnswer{.verdict = SubmitVerdict::Stopping, .job = std::nullopt}
                            : backend_.submit(submission);
    switch (submitted.verdict) {
    case SubmitVerdict::Queued:
    case SubmitVerdict::SameJob:
        if (submitted.job) {
            answerJobWhenEnded(call.answer, submitted.job->id, std::get<qint64>(wait), submittedJobResponse);
            return;
        }
        break; // the backend lost the job it just took: as no history
    case SubmitVerdict::KeyUsedOtherwise:
        call.answer->send(errorResponse(
            ApiError::KeyReused,
            QStringLiteral("this Idempotency-Key was used for another job or report: each receipt needs its own key, "
                           "and a retry must send the same body")));
        return;
    case SubmitVerdict::Stopping:
        call.answer->send(errorResponse(ApiError::Stopping, QStringLiteral("the bridge is stopping and takes no new job")));
        return;
    case SubmitVerdict::NoHistory:
        break;
    }
    call.answer->send(errorResponse(ApiError::NoHistory,
                                    QStringLiteral("the job history cannot be written, so the key could not be kept")));
}

void HostApiRoutes::getJob(const Call &call)
{
    const Checked<qint64> wait = waitSeconds(call.request);
    if (refused(call.answer, wait))
        return;
    const qint64 id = call.captures.value(1).toLongLong();
    if (!backend_.job(id)) {
        call.answer->send(noSuchJob(id));
        return;
    }
    answerJobWhenEnded(call.answer, id, std::get<qint64>(wait), jobResponse);
}

void HostApiRoutes::answerJobWhenEnded(const HttpAnswerPtr &answer, qint64 id, qint64 seconds,
                                       std::function<HttpResponse(const JobRecord &)> respond)
{
    const auto ended = [this, id] {
        const std::optional<JobRecord> job = backend_.job(id);
        return !job || job->ended();
    };
    const auto response = [this, id, respond] {
        const std::optional<JobRecord> job = backend_.job(id);
        return job ? respond(*job) : noSuchJob(id);
    };
    if (seconds == 0 || ended()) {
        answer->send(response());
        return;
    }
    auto *held = new HeldAnswer(answer, seconds, ended, response, this);
    connect(&backend_, &HostApiBackend::jobChanged, held, [held, id](qint64 changed) {
        if (changed == id)
            held->wake();
    });
}

void HostApiRoutes::listJobs(const Call &call)
{
    constexpr qint64 kMaxLimit = 500;
    const Checked<qint64> limit = queryNumber(call.request, QStringLiteral("limit"), 1, kMaxLimit, 50);
    const Checked<qint64> before = queryNumber(call.request, QStringLiteral("before"), 1,
                                               std::numeric_limits<qint64>::max(), 0);
    if (refused(call.answer, limit, before))
        return;
    const qint64 pageSize = std::get<qint64>(limit);
    // One more than asked tells whether there is a next page.
    QList<JobRecord> jobs = backend_.jobs(int(pageSize) + 1, std::get<qint64>(before));
    const bool more = jobs.size() > pageSize;
    jobs.resize(std::min<qsizetype>(jobs.size(), pageSize));
    QJsonArray array;
    for (const JobRecord &job : jobs)
        array.append(jobJson(job));
    const QJsonValue next = more ? QJsonValue(jobs.last().id) : QJsonValue::Null;
    call.answer->send(jsonResponse(200, {{QStringLiteral("jobs"), array}, {QStringLiteral("next"), next}}));
}

} // namespace merovan
