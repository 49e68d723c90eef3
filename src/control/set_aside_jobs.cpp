#include "control/set_aside_jobs.h"

#include <QFile>

namespace merovan {

QString interruptedSuffix() { return QStringLiteral(".interrupted"); }

QString rejectedSuffix() { return QStringLiteral(".rejected"); }

bool isSetAside(const QString &name)
{
    return name.contains(interruptedSuffix()) || name.contains(rejectedSuffix());
}

bool JobFileDisposal::remove(const QString &path, QString &why)
{
    QFile file(path);
    if (file.remove())
        return true;
    why = file.errorString();
    return false;
}

bool JobFileDisposal::setAside(const QString &path, const QString &suffix, QString &why)
{
    const QString base = path + suffix;
    for (int n = 1; n < 1000; ++n) {
        const QString target = n == 1 ? base : base + QLatin1Char('.') + QString::number(n);
        if (QFile::exists(target))
            continue;
        QFile file(path);
        if (file.rename(target))
            return true;
        why = file.errorString();
        return false;
    }
    why = QStringLiteral("no free name for %1").arg(base);
    return false;
}

} // namespace merovan
