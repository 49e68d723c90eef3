#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace merovan {

// What identifies one version of a job file: a host that writes a new job
// under the same name changes at least one of these.
struct FileIdentity {
    qint64 size = -1;
    qint64 modifiedMs = 0; // since the epoch
    QByteArray sha256;     // hex, of the file's bytes; empty when they could not be read
    bool operator==(const FileIdentity &) const = default;
};

// The identity of the file there now; nullopt when it is gone. Only a
// regular file is opened for its hash: opening a pipe for reading could
// wait for ever.
std::optional<FileIdentity> identityOf(const QString &path);

} // namespace merovan
