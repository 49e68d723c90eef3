#include "api/api_responses.h"

#include <QJsonDocument>

namespace merovan {

namespace {

struct ErrorShape {
    int status;
    QLatin1StringView code;
};

ErrorShape shapeOf(ApiError error)
{
    switch (error) {
    case ApiError::BadRequest: return {400, QLatin1StringView("bad-request")};
    case ApiError::Unauthorized: return {401, QLatin1StringView("unauthorized")};
    case ApiError::NotFound: return {404, QLatin1StringView("not-found")};
    case ApiError::MethodNotAllowed: return {405, QLatin1StringView("method-not-allowed")};
    case ApiError::Conflict: return {409, QLatin1StringView("conflict")};
    case ApiError::TooLarge: return {413, QLatin1StringView("too-large")};
    case ApiError::KeyReused: return {422, QLatin1StringView("key-reused")};
    case ApiError::Stopping: return {503, QLatin1StringView("stopping")};
    case ApiError::NoHistory: return {503, QLatin1StringView("no-history")};
    }
    return {500, QLatin1StringView("internal")};
}

} // namespace

HttpResponse jsonResponse(int status, const QJsonObject &body)
{
    return {.status = status,
            .headers = {{"Content-Type", "application/json"}},
            .body = QJsonDocument(body).toJson(QJsonDocument::Compact)};
}

HttpResponse errorResponse(ApiError error, const QString &message)
{
    const ErrorShape shape = shapeOf(error);
    return jsonResponse(shape.status, {{QStringLiteral("error"), shape.code}, {QStringLiteral("message"), message}});
}

HttpResponse unauthorizedResponse(const QString &message)
{
    HttpResponse response = errorResponse(ApiError::Unauthorized, message);
    response.headers << qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Bearer"));
    return response;
}

} // namespace merovan
