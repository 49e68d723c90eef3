#include "api/listen_address.h"

#include <algorithm>

namespace merovan {

namespace {

ListenAddressParse failure(const QString &text, const QString &why)
{
    return {.address = std::nullopt, .error = QStringLiteral("HTTP address \"%1\": %2").arg(text, why)};
}

// The host part's addresses; empty when it is none we take.
QList<QHostAddress> hostAddresses(const QString &host)
{
    if (host.compare(QLatin1StringView("localhost"), Qt::CaseInsensitive) == 0)
        return {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)};
    const bool bracketed = host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'));
    const QHostAddress address(bracketed ? host.mid(1, host.size() - 2) : host);
    const bool ipv6 = address.protocol() == QAbstractSocket::IPv6Protocol;
    if (address.isNull() || ipv6 != bracketed)
        return {};
    return {address};
}

} // namespace

ListenAddressParse parseListenAddress(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return failure(text, QStringLiteral("ADDRESS:PORT is needed, e.g. 127.0.0.1:8080"));
    const QString host = text.left(colon);
    const QString portText = text.mid(colon + 1);
    bool number = false;
    const uint port = portText.toUInt(&number);
    if (!number || port < 1 || port > 65535 || portText.startsWith(QLatin1Char('+')))
        return failure(text, QStringLiteral("the port must be a number from 1 to 65535"));
    const QList<QHostAddress> addresses = hostAddresses(host);
    if (addresses.isEmpty()) {
        return failure(text, QStringLiteral("the address must be an IPv4 address, an IPv6 address in brackets "
                                            "(e.g. [::1]:8080) or localhost"));
    }
    return {.address = ListenAddress{.text = text, .addresses = addresses, .port = quint16(port)}, .error = {}};
}

bool isLoopback(const QHostAddress &address)
{
    bool mapped = false;
    const quint32 ipv4 = address.toIPv4Address(&mapped);
    if (mapped)
        return QHostAddress(ipv4).isLoopback();
    return address.isLoopback();
}

bool isLoopback(const ListenAddress &address)
{
    return std::all_of(address.addresses.cbegin(), address.addresses.cend(),
                       [](const QHostAddress &a) { return isLoopback(a); });
}

std::optional<QString> refusalToListen(const ListenAddress &address, const HttpSettings &settings)
{
    if (isLoopback(address) || !settings.tokenPath.isEmpty())
        return std::nullopt;
    return QStringLiteral("HTTP address %1 can be reached from other hosts, and param.ini has no [http token] "
                          "line to keep them out: add one, or listen on 127.0.0.1")
        .arg(address.text);
}

} // namespace merovan
