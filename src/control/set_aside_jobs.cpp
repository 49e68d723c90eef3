#include "control/set_aside_jobs.h"

#include <QFile>

namespace merovan {

QString interruptedSuffix() { return QStringLiteral(".interrupted"); }

QString rejectedSuffix() { return QStringLiteral(".rejected"); }

bool isSetAside(const QString &name)
{
    return name.contains(interruptedSuffix()) || name.contains(rejectedSuffix());
}

QString setAside(const QString &path, const QString &suffix)
{
    const QString base = path + suffix;
    for (int n = 1; n < 1000; ++n) {
        const QString target = n == 1 ? base : base + QLatin1Char('.') + QString::number(n);
        if (QFile::exists(target))
            continue;
        return QFile::rename(path, target) ? target : QString();
    }
    return {};
}

} // namespace merovan
