#pragma once

#include "api/http_types.h"

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace merovan {

// The one place that knows the HTTP library: it reads requests, hands them
// to the handler as HttpRequest and writes the HttpResponse back, now or
// later. Everything lives on the thread that made it.
class HttpServer : public QObject {
    Q_OBJECT
public:
    explicit HttpServer(HttpHandler handler, QObject *parent = nullptr);
    ~HttpServer() override;

    // Starts listening on address:port (port 0: any free port). The error
    // text when it cannot, e.g. "127.0.0.1:80: The address is protected".
    std::optional<QString> listen(const QHostAddress &address, quint16 port);

    // The port of the first address listened on; 0 before.
    quint16 port() const;

private:
    class Server;
    std::unique_ptr<Server> server_;
};

} // namespace merovan
