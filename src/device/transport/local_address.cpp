#include "device/transport/local_address.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace merovan {

QString findLocalAddress()
{
    QStringList addresses;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            addresses.append(address.toString());
    }
    return firstUsableLocalAddress(addresses);
}

QString firstUsableLocalAddress(const QStringList &addresses)
{
    static const QStringList unusable = {QStringLiteral("127.0.0.1"), QStringLiteral("0.0.0.1"),
                                         QStringLiteral("0.0.0.0")};
    for (const QString &address : addresses) {
        if (!unusable.contains(address))
            return address;
    }
    return {};
}

} // namespace merovan
