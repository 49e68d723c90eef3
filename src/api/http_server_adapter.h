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
// The most bytes a request (its head and body) may have; a connection whose
// request grows past it gets the answer and is closed before the rest is
// read, so that no one can fill the memory with a body. Smaller limits are
// the handler's to check.
struct RequestLimit {
    qint64 bytes = 0;
    HttpResponse answer;
};

class HttpServer : public QObject {
    Q_OBJECT
public:
    HttpServer(HttpHandler handler, RequestLimit limit, QObject *parent = nullptr);
    ~HttpServer() override;

    // Starts listening on address:port (port 0: any free port). The error
    // text when it cannot, e.g. "127.0.0.1:80: The address is protected".
    std::optional<QString> listen(const QHostAddress &address, quint16 port);

    // The port of the first address listened on; 0 before.
    quint16 port() const;

private:
    class Server;
    std::unique_ptr<Server> server_;
    RequestLimit limit_;
};

} // namespace merovan
