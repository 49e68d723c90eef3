#pragma once

#include <QString>
#include <QStringList>

namespace merovan {

// Starts another program without waiting for it. On Linux "notepad" opens
// the file with the desktop's text viewer and a ".bat" file runs through
// the shell, so a host keeps the same file names on every platform.
void startDetachedProgram(const QString &program, const QStringList &arguments);

} // namespace merovan
