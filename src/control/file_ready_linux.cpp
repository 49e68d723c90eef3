// Linux: another process's open file descriptions are visible under /proc,
// as fuser sees them; locks are tested with fcntl and flock.
#include "control/file_ready.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace merovan {

namespace {

bool openForWritingElsewhere(const QString &canonical)
{
    const QString self = QString::number(::getpid());
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processes) {
        if (pid == self || !pid.front().isDigit())
            continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (QFileInfo(fds.filePath(fd)).symLinkTarget() != canonical)
                continue;
            QFile fdinfo(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid, fd));
            if (!fdinfo.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray &line : fdinfo.readAll().split('\n')) {
                if (!line.startsWith("flags:"))
                    continue;
                bool ok = false;
                const int flags = line.mid(6).trimmed().toInt(&ok, 8);
                if (ok && (flags & O_ACCMODE) != O_RDONLY)
                    return true;
            }
        }
    }
    return false;
}

bool locked(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    bool held = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    if (!held) {
        held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        if (!held)
            ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return held;
}

} // namespace

bool heldByAnotherWriter(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return locked(path) || openForWritingElsewhere(canonical);
}

} // namespace merovan
