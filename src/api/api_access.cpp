#include "api/api_access.h"

#include "api/api_token.h"
#include "api/listen_address.h"

namespace merovan {

namespace {

// The Host header's host, without its port.
QByteArrayView hostName(QByteArrayView host)
{
    if (host.startsWith('[')) {
        const qsizetype end = host.indexOf(']');
        return end < 0 ? host : host.sliced(1, end - 1);
    }
    const qsizetype colon = host.lastIndexOf(':');
    return colon < 0 ? host : host.first(colon);
}

bool namesThisHost(QByteArrayView host)
{
    const QByteArrayView name = hostName(host);
    return host.isEmpty() || name.compare("localhost", Qt::CaseInsensitive) == 0
        || !QHostAddress(QString::fromLatin1(name)).isNull();
}

// The token of "Bearer TOKEN"; nothing for another scheme or none.
std::optional<QByteArrayView> bearerToken(QByteArrayView authorization)
{
    constexpr QByteArrayView scheme("bearer ");
    if (authorization.size() < scheme.size() || authorization.first(scheme.size()).compare(scheme, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return authorization.sliced(scheme.size()).trimmed();
}

} // namespace

std::optional<QString> accessRefusal(const ApiAccessRules &rules, const HttpRequest &request, TokenNeed need)
{
    if (need == TokenNeed::Never)
        return std::nullopt;
    const QByteArray authorization = request.header("Authorization");
    if (!authorization.isEmpty()) {
        const std::optional<QByteArrayView> token = bearerToken(authorization);
        if (!token)
            return QStringLiteral("the Authorization header must be \"Bearer TOKEN\"");
        if (rules.token.isEmpty())
            return QStringLiteral("a bearer token was given, but param.ini has no [http token] line");
        if (!sameToken(*token, rules.token))
            return QStringLiteral("the bearer token is wrong");
        return std::nullopt;
    }
    if (need == TokenNeed::Always) {
        if (rules.token.isEmpty())
            return QStringLiteral("this request always needs the bearer token: set [http token] in param.ini");
        return QStringLiteral("this request always needs \"Authorization: Bearer TOKEN\"");
    }
    if (isLoopback(request.peer) && namesThisHost(request.header("Host")))
        return std::nullopt;
    return QStringLiteral("a request from another host needs \"Authorization: Bearer TOKEN\"");
}

} // namespace merovan
