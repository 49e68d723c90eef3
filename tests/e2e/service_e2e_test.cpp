// merovand under a service manager: it tells the socket named by
// NOTIFY_SOCKET when it is ready, each status line, and that it stops.
#include "bridge_against_simulator.h"
#include "qt_printers.h"

#include <QByteArray>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using namespace merovan::test;

namespace {

// The service manager's end: a datagram socket bound to a path.
class NotifySocket {
public:
    explicit NotifySocket(const QString &path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = path.toLocal8Bit();
        std::memcpy(address.sun_path, name.constData(), std::min<size_t>(name.size(), sizeof address.sun_path - 1));
        fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        bound_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    }
    ~NotifySocket() { ::close(fd_); }
    bool bound() const { return bound_; }

    // Every notice received so far, one per datagram.
    QStringList notices()
    {
        QStringList received;
        char buffer[4096];
        for (ssize_t n; (n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT)) >= 0;)
            received << QString::fromUtf8(buffer, n);
        return received;
    }

private:
    int fd_ = -1;
    bool bound_ = false;
};

TEST_F(BridgeAgainstSimulator, TellsTheServiceManagerReadyEachStatusAndStopping)
{
    NotifySocket manager(path(QStringLiteral("notify")));
    ASSERT_TRUE(manager.bound());
    startSimulator(Link::Udp);
    bridgeEnvironment << QStringLiteral("NOTIFY_SOCKET=") + path(QStringLiteral("notify"));
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(kReady, 20000)) << bridge->errors().toStdString();
    bridge->signal(SIGTERM);
    ASSERT_EQ(bridge->waitForExit(), 0);

    const QStringList notices = manager.notices();
    EXPECT_EQ(notices.count(QStringLiteral("READY=1")), 1) << notices.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(notices.value(notices.size() - 1), QStringLiteral("STOPPING=1"));
    // The unit's status follows the status line, as standard output shows it.
    QStringList statuses;
    for (const QString &notice : notices) {
        if (notice.startsWith(QStringLiteral("STATUS=")))
            statuses << QStringLiteral("status: ") + notice.mid(7);
    }
    EXPECT_EQ(statuses, (QStringList{kSearchingStatus, kReadyStatus}));
    EXPECT_LT(notices.indexOf(QStringLiteral("READY=1")), notices.indexOf(QStringLiteral("STATUS=") + kReadyStatus.mid(8)));
}

} // namespace
