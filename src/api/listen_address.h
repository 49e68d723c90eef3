#pragma once

#include "settings/http_settings.h"

#include <QHostAddress>
#include <QList>
#include <QString>

#include <optional>

namespace merovan {

// Where the host API listens: [http] or --http, ADDRESS:PORT with ADDRESS an
// IPv4 address, an IPv6 address in brackets or localhost.
struct ListenAddress {
    QString text;                  // as written
    QList<QHostAddress> addresses; // localhost is 127.0.0.1 and ::1
    quint16 port = 0;              // 1..65535
};

struct ListenAddressParse {
    std::optional<ListenAddress> address;
    QString error; // when there is no address
};

ListenAddressParse parseListenAddress(const QString &text);

// Whether an address is the host's own: 127.0.0.0/8, ::1 or an IPv4 loopback
// address written as IPv6 (::ffff:127.0.0.1, as a dual-stack socket tells it).
bool isLoopback(const QHostAddress &address);
bool isLoopback(const ListenAddress &address);

// Why the API must not start: an address other hosts can reach with no
// [http token] to keep them out. The program then ends with status 8.
std::optional<QString> refusalToListen(const ListenAddress &address, const HttpSettings &settings);

} // namespace merovan
