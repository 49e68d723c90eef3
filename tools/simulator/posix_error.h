#pragma once

#include <QString>

namespace merovan::sim {

// "call: reason" for the errno of a failed system call.
QString posixError(const char *call);

// Writes "merovan-sim: " and the text on standard error.
void warn(const QString &text);

} // namespace merovan::sim
