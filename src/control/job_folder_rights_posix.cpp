// POSIX: a file is removed through its folder, which needs write and search
// permission there; in a sticky folder (mode +t) only the owner of the file
// or of the folder, or root, may remove it.
#include "control/job_folder_rights.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace merovan {

namespace {

QString systemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

QString whyFileCannotBeRemoved(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return systemText(errno);
    struct stat folderStat {};
    struct stat fileStat {};
    const uid_t self = ::geteuid();
    if (self != 0 && ::stat(folder.constData(), &folderStat) == 0 && (folderStat.st_mode & S_ISVTX) &&
        ::lstat(QFile::encodeName(path).constData(), &fileStat) == 0 && fileStat.st_uid != self &&
        folderStat.st_uid != self)
        return systemText(EPERM);
    return {};
}

QString currentUserName()
{
    // Looked up once: the program does not change its user.
    static const QString name = [] {
        const uid_t self = ::geteuid();
        const passwd *entry = ::getpwuid(self);
        return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(self);
    }();
    return name;
}

} // namespace merovan
