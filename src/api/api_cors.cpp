#include "api/api_cors.h"

namespace merovan {

namespace {

bool listedOrigin(const ApiAccessRules &rules, const QByteArray &origin)
{
    return !origin.isEmpty() && rules.origins.contains(QString::fromUtf8(origin));
}

} // namespace

HttpHeaders corsHeaders(const ApiAccessRules &rules, const HttpRequest &request)
{
    const QByteArray origin = request.header("Origin");
    if (!listedOrigin(rules, origin))
        return {};
    return {{"Access-Control-Allow-Origin", origin}, {"Vary", "Origin"}};
}

HttpResponse preflightResponse(const ApiAccessRules &rules, const HttpRequest &request)
{
    HttpHeaders headers = corsHeaders(rules, request);
    if (headers.isEmpty())
        return {.status = 403, .headers = {}, .body = {}};
    headers << qMakePair(QByteArray("Access-Control-Allow-Methods"), QByteArray("GET, POST"))
            << qMakePair(QByteArray("Access-Control-Allow-Headers"),
                         QByteArray("Authorization, Content-Type, Idempotency-Key"))
            << qMakePair(QByteArray("Access-Control-Max-Age"), QByteArray("600"));
    if (request.header("Access-Control-Request-Private-Network").compare("true", Qt::CaseInsensitive) == 0)
        headers << qMakePair(QByteArray("Access-Control-Allow-Private-Network"), QByteArray("true"));
    return {.status = 204, .headers = headers, .body = {}};
}

} // namespace merovan
