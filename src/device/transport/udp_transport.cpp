#include "device/transport/udp_transport.h"

#include "device/transport/local_address.h"
#include "greek/cp1253.h"

#include <QDir>
#include <QThread>

namespace merovan {
namespace {

constexpr qsizetype kMaxDatagram = 10000;

} // namespace

UdpTransport::~UdpTransport()
{
    close();
}

qint16 UdpTransport::open(const QString &connectionText)
{
    if (isOpen())
        return kOpened;
    const QStringList pieces = connectionText.split(QLatin1Char(':'));
    remoteHostIP_ = pieces.value(0);
    remotePort_ = pieces.value(1).toInt();
    localHostIP_ = findLocalAddress();

    socket_ = udp::openSocket();
    if (socket_ == udp::kInvalid)
        return kSocketFailed;
    const qint16 code = bindAndConnect();
    if (code != kOpened)
        close();
    return code;
}

qint16 UdpTransport::bindAndConnect()
{
    if (remotePort_ < 1 || remotePort_ > 65535)
        return kBadPort;
    const auto port = quint16(remotePort_);
    auto lock = std::make_unique<QLockFile>(QDir::temp().filePath(QStringLiteral("merovan-udp-%1.lock").arg(port)));
    if (!lock->tryLock(0) || !udp::bindAllAddresses(socket_, port))
        return kBindFailed;
    portLock_ = std::move(lock);
    switch (udp::connectTo(socket_, remoteHostIP_, port)) {
    case udp::ConnectOutcome::Connected:
        return kOpened;
    case udp::ConnectOutcome::BadAddress:
        return kBadAddress;
    case udp::ConnectOutcome::Failed:
        break;
    }
    return kConnectFailed;
}

bool UdpTransport::send(const QString &text)
{
    if (isOpen() && udp::sendDatagram(socket_, toCp1253(withTerminator(text))))
        return true;
    fail(-1, QStringLiteral("Λάθος κατά την αποστολή δεδομένων στην θύρα (Ethernet)"));
    return false;
}

QString UdpTransport::receive(int waitMs)
{
    if (!waitForData(waitMs))
        return {};
    const std::optional<QByteArray> datagram = udp::receiveDatagram(socket_, kMaxDatagram);
    if (!datagram) {
        fail(-2, QStringLiteral("Λάθος κατά την ανάγνωση στοιχείων απο την θύρα (Ethernet)"));
        return {};
    }
    return fromCp1253(*datagram);
}

bool UdpTransport::waitForData(int waitMs)
{
    if (!isOpen()) {
        QThread::msleep(ulong(qMax(0, waitMs)));
    } else {
        switch (udp::waitReadable(socket_, waitMs)) {
        case udp::Readiness::Ready:
            return true;
        case udp::Readiness::TimedOut:
            return false;
        case udp::Readiness::Failed:
            break;
        }
    }
    fail(-3, QStringLiteral("Λάθος κατά την προσπέλαση της θύρας (Ethernet)"));
    return false;
}

void UdpTransport::close()
{
    if (isOpen())
        udp::closeSocket(socket_);
    socket_ = udp::kInvalid;
    portLock_.reset();
}

bool UdpTransport::isOpen() const
{
    return socket_ != udp::kInvalid;
}

udp::Handle UdpTransport::socketHandle() const
{
    return isOpen() ? socket_ : 0;
}

QString UdpTransport::remoteAddress() const
{
    return remoteHostIP_;
}

int UdpTransport::remotePort() const
{
    return remotePort_;
}

QString UdpTransport::localAddress() const
{
    return localHostIP_;
}

} // namespace merovan
