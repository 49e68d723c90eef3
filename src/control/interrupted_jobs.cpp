#include "control/interrupted_jobs.h"

#include <QFile>

namespace merovan {

QString interruptedSuffix() { return QStringLiteral(".interrupted"); }

QString setAsideInterrupted(const QString &path)
{
    const QString base = path + interruptedSuffix();
    for (int n = 1; n < 1000; ++n) {
        const QString target = n == 1 ? base : base + QLatin1Char('.') + QString::number(n);
        if (QFile::exists(target))
            continue;
        return QFile::rename(path, target) ? target : QString();
    }
    return {};
}

} // namespace merovan
