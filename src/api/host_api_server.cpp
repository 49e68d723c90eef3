#include "api/host_api_server.h"

#include "api/api_token.h"
#include "api/host_api_routes.h"
#include "api/http_server_adapter.h"
#include "api/job_submission_request.h"

#include <utility>

namespace merovan {

HostApiServer::HostApiServer(HostApiBackend &backend, ApiAccessRules rules, QObject *parent)
    : QObject(parent),
      routes_(new HostApiRoutes(backend, std::move(rules), this)),
      http_(new HttpServer([routes = routes_](const HttpRequest &request, HttpAnswerPtr answer) {
                routes->handle(request, answer);
            }, {.bytes = kMaxRequestBytes, .answer = tooLargeResponse()}, this))
{
}

HostApiServer::~HostApiServer() = default;

std::optional<QString> HostApiServer::listen(const ListenAddress &address)
{
    QStringList errors;
    for (const QHostAddress &host : address.addresses) {
        if (const std::optional<QString> error = http_->listen(host, address.port))
            errors << *error;
    }
    if (errors.size() < address.addresses.size())
        return std::nullopt;
    return errors.join(QLatin1StringView("; "));
}

std::optional<QString> HostApiServer::listen(const QHostAddress &address, quint16 port)
{
    return http_->listen(address, port);
}

quint16 HostApiServer::port() const
{
    return http_->port();
}

AccessRulesReading accessRules(const HttpSettings &settings)
{
    ApiAccessRules rules{.token = {}, .origins = settings.origins};
    if (settings.tokenPath.isEmpty())
        return {.rules = rules, .error = {}};
    const TokenReading token = readOrMakeToken(settings.tokenPath);
    if (!token.token)
        return {.rules = std::nullopt, .error = token.error};
    rules.token = *token.token;
    return {.rules = rules, .error = {}};
}

} // namespace merovan
