#include "api/api_query.h"

namespace merovan {

Checked<qint64> queryNumber(const HttpRequest &request, const QString &name, qint64 from, qint64 to, qint64 fallback)
{
    if (!request.query.hasQueryItem(name))
        return fallback;
    const QString text = request.query.queryItemValue(name);
    bool number = false;
    const qint64 value = text.toLongLong(&number);
    if (!number || value < from || value > to || text.startsWith(QLatin1Char('+'))) {
        return ApiRefusal{.error = ApiError::BadRequest,
                          .message = QStringLiteral("%1 must be a whole number from %2 to %3").arg(name).arg(from).arg(to)};
    }
    return value;
}

Checked<qint64> waitSeconds(const HttpRequest &request)
{
    return queryNumber(request, QStringLiteral("wait"), 0, kMaxWaitSeconds, 0);
}

} // namespace merovan
