#pragma once

#include "api/http_types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace merovan {

// Who may call the host API.
struct ApiAccessRules {
    QByteArray token;    // the bearer token; empty when [http token] is not set
    QStringList origins; // the web origins of [http origins]
};

// When a request needs the token: never (the console's files), when it
// comes from another host, or always (the Z report, the stop).
enum class TokenNeed { Never, FromOtherHosts, Always };

// The message of the 401 a request gets; nothing when it may go on.
// "Authorization: Bearer TOKEN" always lets it; without it, a request from
// this host that names the server by an IP address or localhost may do what
// needs no token. (A web page that renamed itself to 127.0.0.1 through its
// own DNS still sends its own host name, and needs the token.)
std::optional<QString> accessRefusal(const ApiAccessRules &rules, const HttpRequest &request, TokenNeed need);

} // namespace merovan
