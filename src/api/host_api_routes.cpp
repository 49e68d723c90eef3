#include "api/host_api_routes.h"

#include "api/api_cors.h"
#include "api/job_submission_request.h"

#include <QRegularExpression>

#include <utility>

namespace merovan {

struct HostApiRoutes::Route {
    QByteArray method;
    QRegularExpression path; // whole path; its groups are the captures
    TokenNeed (*need)(const QStringList &captures);
    void (HostApiRoutes::*handler)(const Call &call);
};

namespace {

TokenNeed fromOtherHosts(const QStringList &)
{
    return TokenNeed::FromOtherHosts;
}

TokenNeed always(const QStringList &)
{
    return TokenNeed::Always;
}

// The Z report closes the fiscal day: not for any program on this host.
TokenNeed reportNeed(const QStringList &captures)
{
    return captures.value(1) == QLatin1StringView("z") ? TokenNeed::Always : TokenNeed::FromOtherHosts;
}

// The console's files hold nothing a token protects, and a browser on
// another host could not load them with one.
TokenNeed noToken(const QStringList &)
{
    return TokenNeed::Never;
}

QRegularExpression wholePath(const char *pattern)
{
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1StringView(pattern)));
}

// Adds the CORS headers to whatever answer the request gets, now or later.
class CorsAnswer final : public HttpAnswer {
public:
    CorsAnswer(HttpAnswerPtr answer, HttpHeaders headers) : answer_(std::move(answer)), headers_(std::move(headers)) {}

    void send(const HttpResponse &response) override
    {
        HttpResponse withHeaders = response;
        withHeaders.headers += headers_;
        answer_->send(withHeaders);
    }

private:
    HttpAnswerPtr answer_;
    HttpHeaders headers_;
};

} // namespace

HostApiRoutes::HostApiRoutes(HostApiBackend &backend, ApiAccessRules rules, QObject *parent)
    : QObject(parent), backend_(backend), rules_(std::move(rules))
{
}

const QList<HostApiRoutes::Route> &HostApiRoutes::routes()
{
    static const QList<Route> table = {
        {"POST", wholePath("/v1/jobs"), fromOtherHosts, &HostApiRoutes::postJob},
        {"GET", wholePath("/v1/jobs"), fromOtherHosts, &HostApiRoutes::listJobs},
        {"GET", wholePath("/v1/jobs/([1-9][0-9]{0,17})"), fromOtherHosts, &HostApiRoutes::getJob},
        {"POST", wholePath("/v1/reports/(x|period-x|period-z|z)"), reportNeed, &HostApiRoutes::postReport},
        {"GET", wholePath("/v1/status"), fromOtherHosts, &HostApiRoutes::getStatus},
        {"POST", wholePath("/v1/stop"), always, &HostApiRoutes::postStop},
        {"GET", wholePath("/v1/log"), fromOtherHosts, &HostApiRoutes::getLog},
        {"GET", wholePath("/metrics"), fromOtherHosts, &HostApiRoutes::getMetrics},
        {"GET", wholePath("/|/console\\.css|/console\\.js"), noToken, &HostApiRoutes::getConsoleFile},
    };
    return table;
}

void HostApiRoutes::handle(const HttpRequest &request, const HttpAnswerPtr &answer)
{
    if (request.method == "OPTIONS") {
        answer->send(preflightResponse(rules_, request));
        return;
    }
    dispatch(request, std::make_shared<CorsAnswer>(answer, corsHeaders(rules_, request)));
}

void HostApiRoutes::dispatch(const HttpRequest &request, const HttpAnswerPtr &answer)
{
    QByteArrayList allowed;
    for (const Route &route : routes()) {
        const QRegularExpressionMatch match = route.path.match(request.path);
        if (!match.hasMatch())
            continue;
        if (route.method != request.method) {
            allowed << route.method;
            continue;
        }
        const QStringList captures = match.capturedTexts();
        if (const std::optional<QString> refusal = accessRefusal(rules_, request, route.need(captures))) {
            answer->send(unauthorizedResponse(*refusal));
            return;
        }
        if (request.body.size() > kMaxBodyBytes) {
            answer->send(tooLargeResponse());
            return;
        }
        (this->*route.handler)(Call{.request = request, .captures = captures, .answer = answer});
        return;
    }
    if (allowed.isEmpty()) {
        answer->send(errorResponse(ApiError::NotFound, QStringLiteral("no such endpoint: %1").arg(request.path)));
        return;
    }
    HttpResponse response = errorResponse(ApiError::MethodNotAllowed,
                                          QStringLiteral("%1 takes %2").arg(request.path, QString::fromLatin1(allowed.join(", "))));
    response.headers << qMakePair(QByteArray("Allow"), allowed.join(", "));
    answer->send(response);
}

} // namespace merovan
