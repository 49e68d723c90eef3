#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrlQuery>

#include <functional>
#include <memory>

namespace merovan {

using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

// A request as the routes see it, whatever HTTP library read it.
struct HttpRequest {
    QByteArray method;   // upper case: "GET", "POST", "OPTIONS", ...
    QString path;        // decoded, without the query
    QUrlQuery query;
    HttpHeaders headers; // as received
    QByteArray body;
    QHostAddress peer;

    // The value of a header, its name compared without case; empty when absent.
    QByteArray header(QByteArrayView name) const;
};

struct HttpResponse {
    int status = 200;
    HttpHeaders headers;
    QByteArray body;
};

// Where a request's answer goes. A route answers at once or keeps it and
// answers later (a long poll); the first answer counts. An answer to a
// connection that has gone away is dropped.
class HttpAnswer {
public:
    virtual ~HttpAnswer() = default;
    virtual void send(const HttpResponse &response) = 0;
};

using HttpAnswerPtr = std::shared_ptr<HttpAnswer>;
using HttpHandler = std::function<void(const HttpRequest &request, HttpAnswerPtr answer)>;

} // namespace merovan
