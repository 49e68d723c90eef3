#pragma once

#include <QFile>
#include <QString>

#include <sys/stat.h>

namespace merovan::test {

// A file's permission bits (with set-id and sticky); 0 when it cannot be looked at.
inline unsigned fileMode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace merovan::test
