#include "api/http_server_adapter.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <utility>

namespace merovan {

namespace {

QByteArray methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get: return "GET";
    case QHttpServerRequest::Method::Put: return "PUT";
    case QHttpServerRequest::Method::Delete: return "DELETE";
    case QHttpServerRequest::Method::Post: return "POST";
    case QHttpServerRequest::Method::Head: return "HEAD";
    case QHttpServerRequest::Method::Options: return "OPTIONS";
    case QHttpServerRequest::Method::Patch: return "PATCH";
    case QHttpServerRequest::Method::Connect: return "CONNECT";
    case QHttpServerRequest::Method::Trace: return "TRACE";
    default: return "UNKNOWN";
    }
}

HttpRequest ourRequest(const QHttpServerRequest &request)
{
    return {.method = methodName(request.method()),
            .path = request.url().path(),
            .query = request.query(),
            .headers = request.headers(),
            .body = request.body(),
            .peer = request.remoteAddress()};
}

// The library's responder, moved out of the request handler so that it can
// answer after the handler returned. The library deletes the socket when the
// peer goes, so the socket is watched and a late answer dropped.
class ResponderAnswer final : public HttpAnswer {
public:
    ResponderAnswer(QHttpServerResponder &&responder, QTcpSocket *socket)
        : responder_(std::move(responder)), socket_(socket)
    {
    }

    void send(const HttpResponse &response) override
    {
        if (sent_ || !socket_ || socket_->state() != QAbstractSocket::ConnectedState)
            return;
        sent_ = true;
        responder_.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(response.status));
        for (const auto &[name, value] : response.headers)
            responder_.writeHeader(name, value);
        if (response.status != 204) // a 204 has no body, nor a length of it
            responder_.writeHeader("Content-Length", QByteArray::number(response.body.size()));
        responder_.writeBody(response.body);
    }

private:
    QHttpServerResponder responder_;
    QPointer<QTcpSocket> socket_;
    bool sent_ = false;
};

} // namespace

class HttpServer::Server final : public QAbstractHttpServer {
public:
    explicit Server(HttpHandler handler) : handler_(std::move(handler)) {}

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        handler_(ourRequest(request), std::make_shared<ResponderAnswer>(makeResponder(request, socket), socket));
        return true;
    }

    // Never called: every request is handled.
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    HttpHandler handler_;
};

HttpServer::HttpServer(HttpHandler handler, QObject *parent)
    : QObject(parent), server_(std::make_unique<Server>(std::move(handler)))
{
}

HttpServer::~HttpServer() = default;

std::optional<QString> HttpServer::listen(const QHostAddress &address, quint16 port)
{
    // Our own TCP server, so that its error text can be told.
    auto *tcp = new QTcpServer(server_.get());
    if (!tcp->listen(address, port)) {
        const QString error = QStringLiteral("%1:%2: %3")
                                  .arg(address.protocol() == QAbstractSocket::IPv6Protocol
                                           ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                                           : address.toString())
                                  .arg(port)
                                  .arg(tcp->errorString());
        delete tcp;
        return error;
    }
    server_->bind(tcp);
    return std::nullopt;
}

quint16 HttpServer::port() const
{
    const QList<QTcpServer *> servers = server_->servers();
    return servers.isEmpty() ? 0 : servers.first()->serverPort();
}

} // namespace merovan
