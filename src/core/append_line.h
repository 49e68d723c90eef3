#pragma once

#include <QString>

namespace merovan {

// Appends text and CR LF to a file as Windows-1253, opening and closing the
// file each time so the host can read or move it between lines. The line is
// written whole or not at all: when only part of it fits (a full disk), the
// part is cut off again. Returns whether it was written; the caller's work
// goes on either way.
bool appendLine(const QString &path, const QString &text);

// Whether lines could be appended to the file now: it is opened for
// appending and closed again, writing nothing.
bool canAppendTo(const QString &path);

} // namespace merovan
