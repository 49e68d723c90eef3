#pragma once

#include <QString>

namespace merovan {

// Appends text and CR LF to a file as Windows-1253, opening and closing the
// file each time so the host can read or move it between lines. Returns
// whether the line was written whole; the caller's work goes on either way.
bool appendLine(const QString &path, const QString &text);

} // namespace merovan
