#include "register_end.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace merovan::test {

namespace {

sockaddr_in loopback(quint32 host, quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(host);
    address.sin_port = htons(port);
    return address;
}

} // namespace

RegisterEnd::RegisterEnd(Kind kind, quint16 port) : kind_(kind)
{
    if (kind_ == Udp) {
        fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        const int on = 1;
        sockaddr_in local = loopback(0x7F000002, port);
        socklen_t length = sizeof local;
        EXPECT_TRUE(::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
                    ::bind(fd_, reinterpret_cast<sockaddr *>(&local), sizeof local) == 0 &&
                    ::getsockname(fd_, reinterpret_cast<sockaddr *>(&local), &length) == 0)
            << "no UDP socket on 127.0.0.2:" << port;
        port_ = ntohs(local.sin_port);
        return;
    }
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    termios raw{};
    const bool ready = fd_ >= 0 && ::grantpt(fd_) == 0 && ::unlockpt(fd_) == 0 && ::tcgetattr(fd_, &raw) == 0;
    EXPECT_TRUE(ready) << "no pseudo-terminal";
    if (ready) {
        ::cfmakeraw(&raw);
        ::tcsetattr(fd_, TCSANOW, &raw);
        ::setenv("MEROVAN_COM1", ::ptsname(fd_), 1);
    }
}

QString RegisterEnd::connectionText() const
{
    return kind_ == Udp ? QStringLiteral("127.0.0.2:%1").arg(port_) : QStringLiteral("com1:9600");
}

void RegisterEnd::send(const QByteArray &bytes)
{
    // The bridge listens on the shared port of every address.
    const sockaddr_in bridge = loopback(INADDR_LOOPBACK, port_);
    const auto sent = kind_ == Udp ? ::sendto(fd_, bytes.constData(), size_t(bytes.size()), 0,
                                              reinterpret_cast<const sockaddr *>(&bridge), sizeof bridge)
                                   : ::write(fd_, bytes.constData(), size_t(bytes.size()));
    EXPECT_EQ(sent, bytes.size());
}

QByteArrayList RegisterEnd::receive(int waitMs)
{
    QByteArrayList got;
    char buffer[65536];
    for (pollfd entry{fd_, POLLIN, 0}; ::poll(&entry, 1, got.isEmpty() ? waitMs : 100) > 0;) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        auto *source = reinterpret_cast<sockaddr *>(&from);
        const auto size = kind_ == Udp ? ::recvfrom(fd_, buffer, sizeof buffer, 0, source, &length)
                                       : ::read(fd_, buffer, sizeof buffer);
        if (size <= 0)
            break;
        if (kind_ == Udp) {
            EXPECT_EQ(ntohs(from.sin_port), port_) << "a datagram from another port";
        }
        if (kind_ == Udp || got.isEmpty())
            got << QByteArray(buffer, size);
        else
            got.last().append(buffer, size);
    }
    return got;
}

void RegisterEnd::hangUp()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace merovan::test
