#include "history/set_aside.h"

#include <QFile>
#include <QStringList>

namespace merovan {

namespace {

// The files SQLite keeps beside a database in WAL mode.
const QStringList companions = {QStringLiteral("-wal"), QStringLiteral("-shm")};

bool taken(const QString &aside)
{
    if (QFile::exists(aside))
        return true;
    for (const QString &suffix : companions) {
        if (QFile::exists(aside + suffix))
            return true;
    }
    return false;
}

} // namespace

std::optional<QString> setAsideDatabase(const QString &path, const QDateTime &at, QString *problem)
{
    const QString stem = path + QStringLiteral(".corrupt-") + at.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stem;
    for (int n = 2; taken(aside); ++n)
        aside = stem + QStringLiteral("-%1").arg(n);

    // The companions go first: a new database must never meet the old WAL.
    for (const QString &suffix : companions + QStringList{QString()}) {
        QFile file(path + suffix);
        if (!file.exists())
            continue;
        if (!file.rename(aside + suffix)) {
            *problem = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
            return std::nullopt;
        }
    }
    return aside;
}

} // namespace merovan
