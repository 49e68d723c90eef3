#include "pseudo_terminal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace merovan {

PseudoTerminal::PseudoTerminal()
    : master_(posix_openpt(O_RDWR | O_NOCTTY))
{
    termios raw{};
    const bool ready = master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0
        && tcgetattr(master_, &raw) == 0;
    EXPECT_TRUE(ready) << "no pseudo-terminal";
    if (!ready)
        return;
    cfmakeraw(&raw);
    tcsetattr(master_, TCSANOW, &raw);
    slavePath_ = QString::fromLocal8Bit(ptsname(master_));
}

PseudoTerminal::~PseudoTerminal()
{
    closeMaster();
}

void PseudoTerminal::write(const QByteArray &bytes)
{
    EXPECT_EQ(::write(master_, bytes.constData(), size_t(bytes.size())), bytes.size());
}

QByteArray PseudoTerminal::read(int quietMs)
{
    QByteArray bytes;
    pollfd entry{master_, POLLIN, 0};
    char chunk[512];
    while (::poll(&entry, 1, quietMs) > 0 && (entry.revents & POLLIN)) {
        const ssize_t got = ::read(master_, chunk, sizeof chunk);
        if (got <= 0)
            break;
        bytes.append(chunk, got);
    }
    return bytes;
}

void PseudoTerminal::closeMaster()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

} // namespace merovan
