#pragma once

#include <QString>

namespace merovan {

// The ending of a job file that was set aside after an interruption; such
// a file is never taken as a job again.
QString interruptedSuffix();

// Renames the job file NAME to NAME.interrupted (NAME.interrupted.2, .3, ...
// when that name is taken, so no earlier one is lost). Returns the new
// path, or an empty text when the file could not be renamed.
QString setAsideInterrupted(const QString &path);

} // namespace merovan
