#pragma once

#include "api/api_access.h"
#include "api/host_api_backend.h"
#include "api/listen_address.h"
#include "settings/http_settings.h"

#include <QObject>

#include <optional>

namespace merovan {

class HttpServer;
class HostApiRoutes;

// The host API as the program runs it: an HTTP server whose requests go to
// the routes over the backend. Lives on the backend's thread.
class HostApiServer : public QObject {
    Q_OBJECT
public:
    HostApiServer(HostApiBackend &backend, ApiAccessRules rules, QObject *parent = nullptr);
    ~HostApiServer() override;

    // Listens on the address's addresses (localhost: 127.0.0.1 and ::1; it
    // is enough that one of them can be had). The error text when it cannot.
    std::optional<QString> listen(const ListenAddress &address);
    // One address; port 0 takes any free port.
    std::optional<QString> listen(const QHostAddress &address, quint16 port);

    // The port of the first address listened on.
    quint16 port() const;

private:
    HostApiRoutes *routes_;
    HttpServer *http_;
};

struct AccessRulesReading {
    std::optional<ApiAccessRules> rules;
    QString error; // when there are no rules
};

// The access rules of the settings: the [http token] file read, or made
// when missing; the origins.
AccessRulesReading accessRules(const HttpSettings &settings);

} // namespace merovan
