#include "control/file_ready.h"

#include <QFileInfo>

namespace merovan {

bool jobFileReady(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return false;
    return !heldByAnotherWriter(path);
}

} // namespace merovan
