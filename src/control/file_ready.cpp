#include "control/file_ready.h"

#include <QFileInfo>

namespace merovan {

bool jobFileReady(const QString &path, bool renamedIn)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0 || lockedByAnother(path))
        return false;
    return renamedIn || !openForWritingElsewhere(path);
}

} // namespace merovan
