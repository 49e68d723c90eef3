#include "pty_link.h"

#include "posix_error.h"
#include "raw_line.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace merovan::sim {

PtyLink::~PtyLink()
{
    if (linkPath_.isEmpty())
        return;
    // Only our own link: someone may have replaced it meanwhile.
    char target[4096];
    const ssize_t size = readlink(linkPath_.constData(), target, sizeof target);
    if (size >= 0 && QByteArray(target, size) == slaveName_)
        unlink(linkPath_.constData());
}

bool PtyLink::open(const QString &linkPath, QString &error)
{
    master_ = UniqueFd(posix_openpt(O_RDWR | O_NOCTTY));
    if (!master_.valid() || grantpt(master_.get()) != 0 || unlockpt(master_.get()) != 0) {
        error = posixError("posix_openpt");
        return false;
    }
    fcntl(master_.get(), F_SETFL, fcntl(master_.get(), F_GETFL) | O_NONBLOCK);
    fcntl(master_.get(), F_SETFD, FD_CLOEXEC);
    const char *slaveName = ptsname(master_.get());
    if (!slaveName) {
        error = posixError("ptsname");
        return false;
    }
    slaveName_ = slaveName;
    slave_ = UniqueFd(::open(slaveName_.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave_.valid()) {
        error = posixError("open slave");
        return false;
    }
    if (!makeRaw(slave_.get(), 0, error))
        return false;

    const QByteArray path = linkPath.toLocal8Bit();
    struct stat existing {};
    if (lstat(path.constData(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = linkPath + QStringLiteral(" exists and is not a symbolic link");
            return false;
        }
        unlink(path.constData());
    }
    if (symlink(slaveName_.constData(), path.constData()) != 0) {
        error = posixError("symlink");
        return false;
    }
    linkPath_ = path;
    return true;
}

} // namespace merovan::sim
