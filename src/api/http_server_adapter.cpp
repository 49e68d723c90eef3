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

// The bytes of an answer as they go on the wire, closing the connection
// (the reason phrase, which clients ignore, left empty).
QByteArray closingResponseBytes(const HttpResponse &response)
{
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(response.status) + " \r\n";
    for (const auto &[name, value] : response.headers)
        bytes += name + ": " + value + "\r\n";
    bytes += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n\r\n";
    return bytes + response.body;
}

constexpr char kRequestBytes[] = "merovanRequestBytes";

// Counts what a connection has sent since its last whole request; its
// readyRead handler runs before the library's, which reads all there is.
class GuardedTcpServer final : public QTcpServer {
public:
    GuardedTcpServer(const RequestLimit &limit, QObject *parent) : QTcpServer(parent), limit_(limit) {}

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        connect(socket, &QTcpSocket::readyRead, socket, [socket, limit = limit_] {
            const qint64 received = socket->property(kRequestBytes).toLongLong() + socket->bytesAvailable();
            socket->setProperty(kRequestBytes, received);
            if (received <= limit.bytes)
                return;
            // Nothing more is read, by the library either. The library
            // deletes the socket once it is closed. What the peer still
            // sends may reset the connection before it reads the answer.
            QObject::disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
            socket->write(closingResponseBytes(limit.answer));
            socket->disconnectFromHost();
        });
        addPendingConnection(socket);
    }

private:
    const RequestLimit limit_;
};

} // namespace

class HttpServer::Server final : public QAbstractHttpServer {
public:
    explicit Server(HttpHandler handler) : handler_(std::move(handler)) {}

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        socket->setProperty(kRequestBytes, 0);
        handler_(ourRequest(request), std::make_shared<ResponderAnswer>(makeResponder(request, socket), socket));
        return true;
    }

    // Never called: every request is handled.
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    HttpHandler handler_;
};

HttpServer::HttpServer(HttpHandler handler, RequestLimit limit, QObject *parent)
    : QObject(parent), server_(std::make_unique<Server>(std::move(handler))), limit_(std::move(limit))
{
}

HttpServer::~HttpServer() = default;

std::optional<QString> HttpServer::listen(const QHostAddress &address, quint16 port)
{
    // Our own TCP server, so that its error text can be told.
    auto *tcp = new GuardedTcpServer(limit_, server_.get());
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
