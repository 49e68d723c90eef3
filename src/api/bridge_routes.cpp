#include "api/host_api_routes.h"

#include "api/api_json.h"
#include "api/api_query.h"
#include "api/held_answer.h"
#include "api/metrics_text.h"

#include <QFile>

namespace merovan {

namespace {

struct ConsoleFile {
    QLatin1StringView path;
    QLatin1StringView resource;
    QByteArray contentType;
};

const ConsoleFile kConsoleFiles[] = {
    {QLatin1StringView("/"), QLatin1StringView(":/console/index.html"), "text/html; charset=utf-8"},
    {QLatin1StringView("/console.css"), QLatin1StringView(":/console/console.css"), "text/css; charset=utf-8"},
    {QLatin1StringView("/console.js"), QLatin1StringView(":/console/console.js"), "text/javascript; charset=utf-8"},
};

} // namespace

void HostApiRoutes::getStatus(const Call &call)
{
    call.answer->send(jsonResponse(200, statusJson(backend_.status())));
}

void HostApiRoutes::postStop(const Call &call)
{
    backend_.requestStop();
    call.answer->send(jsonResponse(202, {{QStringLiteral("stopping"), true}}));
}

void HostApiRoutes::getLog(const Call &call)
{
    const Checked<qint64> after = queryNumber(call.request, QStringLiteral("after"), 0,
                                              std::numeric_limits<qint64>::max(), 0);
    const Checked<qint64> wait = waitSeconds(call.request);
    if (refused(call.answer, after, wait))
        return;
    const qint64 seq = std::get<qint64>(after);
    const qint64 seconds = std::get<qint64>(wait);
    const auto grown = [this, seq] { return !backend_.logAfter(seq).isEmpty(); };
    const auto response = [this, seq] { return jsonResponse(200, logJson(backend_.logAfter(seq), seq)); };
    if (seconds == 0 || grown()) {
        call.answer->send(response());
        return;
    }
    auto *held = new HeldAnswer(call.answer, seconds, grown, response, this);
    connect(&backend_, &HostApiBackend::logGrew, held, &HeldAnswer::wake);
}

void HostApiRoutes::getMetrics(const Call &call)
{
    call.answer->send({.status = 200,
                       .headers = {{"Content-Type", kMetricsContentType}},
                       .body = metricsText(backend_.metrics())});
}

void HostApiRoutes::getConsoleFile(const Call &call)
{
    for (const ConsoleFile &file : kConsoleFiles) {
        if (call.request.path != file.path)
            continue;
        QFile resource(file.resource);
        if (!resource.open(QIODevice::ReadOnly))
            break;
        call.answer->send({.status = 200, .headers = {{"Content-Type", file.contentType}}, .body = resource.readAll()});
        return;
    }
    call.answer->send(errorResponse(ApiError::NotFound, QStringLiteral("the web console is not built in")));
}

} // namespace merovan
