#include "udp_front_end.h"

#include "command_splitter.h"
#include "posix_error.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>

namespace merovan::sim {

bool UdpFrontEnd::open(const QString &address, quint16 port, QString &error)
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    if (inet_pton(AF_INET, address.toLatin1().constData(), &local.sin_addr) != 1) {
        error = QStringLiteral("not an IPv4 address: ") + address;
        return false;
    }
    socket_ = UniqueFd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!socket_.valid()) {
        error = posixError("socket");
        return false;
    }
    const int on = 1;
    if (setsockopt(socket_.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) {
        error = posixError("setsockopt");
        return false;
    }
    if (bind(socket_.get(), reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0) {
        error = posixError("bind");
        return false;
    }
    return true;
}

int UdpFrontEnd::run(Session &session, const StopSignals &stop)
{
    QByteArray datagram(65536, Qt::Uninitialized);
    while (session.waitReadable(socket_.get(), stop)) {
        sockaddr_in sender{};
        socklen_t senderSize = sizeof sender;
        const ssize_t size = recvfrom(socket_.get(), datagram.data(), datagram.size(), 0,
                                      reinterpret_cast<sockaddr *>(&sender), &senderSize);
        if (size < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            warn(posixError("recvfrom"));
            return 1;
        }
        // Sent later, perhaps after other datagrams came in: it keeps its
        // own copy of where it goes.
        session.handle(datagramCommand(datagram.left(size)), [this, sender, senderSize](const QByteArray &bytes) {
            if (sendto(socket_.get(), bytes.constData(), bytes.size(), 0, reinterpret_cast<const sockaddr *>(&sender),
                       senderSize) < 0)
                warn(posixError("sendto"));
        });
    }
    return stop.requested() ? 0 : 1;
}

} // namespace merovan::sim
