#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace merovan {

// Moves a damaged database out of the way, with its -wal and -shm files:
// PATH becomes PATH.corrupt-YYYYMMDD-HHMMSS (the local time at), beside it,
// with "-2", "-3"... added when that name is taken. Returns the new path of
// the database, or nothing (and problem set) when a file could not be moved.
std::optional<QString> setAsideDatabase(const QString &path, const QDateTime &at, QString *problem);

} // namespace merovan
