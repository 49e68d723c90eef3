#include "http_test_client.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

namespace merovan::test {

namespace {

// The answer in bytes, once it is whole.
std::optional<HttpReply> parsed(const QByteArray &bytes)
{
    const qsizetype headEnd = bytes.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(headEnd).split('\n');
    HttpReply reply;
    reply.status = lines.value(0).split(' ').value(1).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        reply.headers << qMakePair(lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = reply.header("Content-Length").toLongLong();
    if (bytes.size() < headEnd + 4 + length)
        return std::nullopt;
    reply.body = bytes.mid(headEnd + 4, length);
    return reply;
}

} // namespace

QByteArray HttpReply::header(QByteArrayView name) const
{
    for (const auto &[key, value] : headers) {
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QByteArray HttpReply::errorCode() const
{
    return QJsonDocument::fromJson(body).object().value(QStringLiteral("error")).toString().toUtf8();
}

HttpReply exchange(quint16 port, const QByteArray &request, const std::function<void()> &started)
{
    QTcpSocket socket;
    QEventLoop loop;
    QByteArray received;
    std::optional<HttpReply> reply;
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        socket.write(request);
        if (started)
            started();
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        received += socket.readAll();
        reply = parsed(received);
        if (reply)
            loop.quit();
    });
    bool closed = false;
    const auto close = [&] {
        closed = true;
        loop.quit();
    };
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, close);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, close);
    // Only against a hang: every answer comes long before.
    QTimer::singleShot(std::chrono::seconds(90), &loop, &QEventLoop::quit);
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    loop.exec();
    if (reply)
        return *reply;
    HttpReply none;
    none.closed = closed;
    return none;
}

QByteArray requestBytes(const QByteArray &method, const QByteArray &target,
                        const QList<QPair<QByteArray, QByteArray>> &headers, const QByteArray &body)
{
    QByteArray bytes = method + ' ' + target + " HTTP/1.1\r\n";
    bool hostGiven = false;
    for (const auto &[name, value] : headers) {
        bytes += name + ": " + value + "\r\n";
        hostGiven = hostGiven || name.compare("Host", Qt::CaseInsensitive) == 0;
    }
    if (!hostGiven)
        bytes += "Host: 127.0.0.1\r\n";
    bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    return bytes;
}

} // namespace merovan::test
