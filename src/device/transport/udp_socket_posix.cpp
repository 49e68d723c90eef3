#include "device/transport/udp_socket.h"

#include <QDeadlineTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace merovan::udp {
namespace {

sockaddr_in ipv4Address(in_addr_t address, quint16 port)
{
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    result.sin_addr.s_addr = address;
    return result;
}

} // namespace

Handle openSocket()
{
    return ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
}

bool bindAllAddresses(Handle socket, quint16 port)
{
    const int on = 1;
    if (::setsockopt(int(socket), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0)
        return false;
    const sockaddr_in local = ipv4Address(htonl(INADDR_ANY), port);
    return ::bind(int(socket), reinterpret_cast<const sockaddr *>(&local), sizeof local) == 0;
}

ConnectOutcome connectTo(Handle socket, const QString &dottedAddress, quint16 port)
{
    in_addr address{};
    if (::inet_pton(AF_INET, dottedAddress.toLatin1().constData(), &address) != 1)
        return ConnectOutcome::BadAddress;
    const sockaddr_in remote = ipv4Address(address.s_addr, port);
    if (::connect(int(socket), reinterpret_cast<const sockaddr *>(&remote), sizeof remote) != 0)
        return ConnectOutcome::Failed;
    return ConnectOutcome::Connected;
}

bool sendDatagram(Handle socket, const QByteArray &bytes)
{
    const auto sendOnce = [&] {
        return ::send(int(socket), bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) == bytes.size();
    };
    // A port-unreachable answer to an earlier datagram fails the next send
    // once, with this datagram unsent; that refusal is not this one's.
    return sendOnce() || (errno == ECONNREFUSED && sendOnce());
}

Readiness waitReadable(Handle socket, int waitMs)
{
    const QDeadlineTimer deadline(qMax(0, waitMs));
    for (;;) {
        pollfd entry{int(socket), POLLIN, 0};
        const int ready = ::poll(&entry, 1, int(deadline.remainingTime()));
        if (ready > 0)
            return (entry.revents & POLLNVAL) ? Readiness::Failed : Readiness::Ready;
        if (ready == 0)
            return Readiness::TimedOut;
        if (errno != EINTR)
            return Readiness::Failed;
    }
}

std::optional<QByteArray> receiveDatagram(Handle socket, qsizetype maxBytes)
{
    QByteArray bytes(maxBytes, Qt::Uninitialized);
    // Readiness can be stale (a datagram with a bad checksum is dropped only
    // now), so the read must not block.
    const ssize_t got = ::recv(int(socket), bytes.data(), size_t(maxBytes), MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return QByteArray();
    if (got < 0)
        return std::nullopt;
    bytes.truncate(got);
    return bytes;
}

void closeSocket(Handle socket)
{
    ::close(int(socket));
}

} // namespace merovan::udp
