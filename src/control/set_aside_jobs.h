#pragma once

#include <QString>

namespace merovan {

// Endings of job files that were set aside instead of deleted: one that a
// stop or a crash interrupted, one that could not be run. Such files are
// never taken as jobs again.
QString interruptedSuffix();
QString rejectedSuffix();
bool isSetAside(const QString &name);

// Renames the job file NAME to NAME + suffix (then + ".2", ".3", ... when
// that name is taken, so no earlier one is lost). Returns the new path, or
// an empty text when the file could not be renamed.
QString setAside(const QString &path, const QString &suffix);

} // namespace merovan
