#include "interpreter/file_identity.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace merovan {

std::optional<FileIdentity> identityOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    FileIdentity identity{info.size(), info.lastModified().toMSecsSinceEpoch(), {}};
    QFile file(path);
    if (info.isFile() && file.open(QIODevice::ReadOnly)) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (hash.addData(&file))
            identity.sha256 = hash.result().toHex();
    }
    return identity;
}

} // namespace merovan
