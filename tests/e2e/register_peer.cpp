#include "register_peer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>

namespace merovan::test {

RegisterPeer::RegisterPeer(Kind kind) : kind_(kind)
{
    if (kind_ == Kind::Udp) {
        fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        const int on = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(0x7F000002); // 127.0.0.2
        ::bind(fd_, reinterpret_cast<sockaddr *>(&local), sizeof local);
        socklen_t len = sizeof local;
        ::getsockname(fd_, reinterpret_cast<sockaddr *>(&local), &len);
        port_ = ntohs(local.sin_port);
    } else {
        fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(fd_);
        ::unlockpt(fd_);
        termios raw{};
        ::tcgetattr(fd_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(fd_, TCSANOW, &raw);
        slave_ = QString::fromLocal8Bit(::ptsname(fd_));
        ::setenv("MEROVAN_COM1", slave_.toLocal8Bit().constData(), 1);
    }
}

RegisterPeer::~RegisterPeer()
{
    join();
    ::close(fd_);
}

QString RegisterPeer::connectionText() const
{
    return kind_ == Kind::Udp ? QStringLiteral("127.0.0.2:%1").arg(port_) : QStringLiteral("com1:9600");
}

void RegisterPeer::run(std::function<void(RegisterPeer &)> script)
{
    thread_ = std::thread([this, script = std::move(script)] { script(*this); });
}

void RegisterPeer::join()
{
    if (thread_.joinable())
        thread_.join();
}

QByteArray RegisterPeer::receive(int timeoutMs)
{
    pollfd entry{fd_, POLLIN, 0};
    char buffer[10000];
    for (;;) {
        if (kind_ == Kind::Pty) {
            const auto end = pending_.indexOf("\r\n");
            if (end >= 0) {
                const QByteArray command = pending_.left(end + 2);
                pending_.remove(0, end + 2);
                return command;
            }
        }
        if (::poll(&entry, 1, timeoutMs) <= 0)
            return std::exchange(pending_, {});
        if (kind_ == Kind::Udp) {
            socklen_t len = sizeof peer_;
            const auto got = ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(peer_), &len);
            return got > 0 ? QByteArray(buffer, got) : QByteArray();
        }
        const auto got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0)
            return {};
        pending_.append(buffer, got);
    }
}

void RegisterPeer::send(const QByteArray &bytes)
{
    if (kind_ == Kind::Udp)
        ::sendto(fd_, bytes.constData(), bytes.size(), 0, reinterpret_cast<sockaddr *>(peer_), sizeof(sockaddr_in));
    else
        [[maybe_unused]] auto written = ::write(fd_, bytes.constData(), bytes.size());
}

} // namespace merovan::test
