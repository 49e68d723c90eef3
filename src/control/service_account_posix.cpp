#include "control/service_account.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace merovan {

namespace {

QString errnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

bool runningAsRoot() { return ::geteuid() == 0; }

bool giveToServiceAccount(const QString &path, QString &whyNot)
{
    const QByteArray name = kServiceAccount.toLocal8Bit();
    const passwd *user = ::getpwnam(name.constData());
    const group *grp = ::getgrnam(name.constData());
    if (!user || !grp) {
        whyNot = QStringLiteral("there is no user and group %1 (the package makes them)").arg(kServiceAccount);
        return false;
    }
    if (::lchown(QFile::encodeName(path).constData(), user->pw_uid, grp->gr_gid) != 0) {
        whyNot = QStringLiteral("%1: %2").arg(path, errnoText());
        return false;
    }
    return true;
}

bool setMode(const QString &path, unsigned mode, QString &whyNot)
{
    if (::chmod(QFile::encodeName(path).constData(), mode) != 0) {
        whyNot = QStringLiteral("%1: %2").arg(path, errnoText());
        return false;
    }
    return true;
}

} // namespace merovan
