#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <functional>
#include <optional>

namespace merovan::test {

struct HttpReply {
    int status = 0; // 0: no whole answer came
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    bool closed = false; // the server closed the connection before a whole answer

    QByteArray header(QByteArrayView name) const;
    QByteArray errorCode() const; // the "error" of a JSON error body
};

// Sends raw request bytes to 127.0.0.1:port and reads the answer, running
// the event loop meanwhile so that the server on this thread can answer.
// started, when given, runs once the request has been written.
HttpReply exchange(quint16 port, const QByteArray &request, const std::function<void()> &started = {});

// The bytes of a request with Host, Content-Length and the given headers.
QByteArray requestBytes(const QByteArray &method, const QByteArray &target,
                        const QList<QPair<QByteArray, QByteArray>> &headers = {}, const QByteArray &body = {});

} // namespace merovan::test
