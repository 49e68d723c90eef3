#pragma once

#include "api/http_types.h"

#include <QJsonObject>
#include <QString>

namespace merovan {

// The errors of the host API, each with its status and its JSON code.
enum class ApiError {
    BadRequest,       // 400 bad-request
    Unauthorized,     // 401 unauthorized
    NotFound,         // 404 not-found
    MethodNotAllowed, // 405 method-not-allowed
    Conflict,         // 409 conflict
    TooLarge,         // 413 too-large
    KeyReused,        // 422 key-reused
    Stopping,         // 503 stopping
    NoHistory,        // 503 no-history
};

// A JSON answer (UTF-8, compact).
HttpResponse jsonResponse(int status, const QJsonObject &body);

// {"error": CODE, "message": TEXT} with the error's status.
HttpResponse errorResponse(ApiError error, const QString &message);

// The 401 of a request without the token it needs, saying why.
HttpResponse unauthorizedResponse(const QString &message);

} // namespace merovan
