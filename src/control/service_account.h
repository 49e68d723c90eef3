#pragma once

#include <QString>

namespace merovan {

// The system user (and group of the same name) that the service bridges run
// as; the package makes both. Members of the group may write the job
// folders, so a host program runs as its own user in that group.
inline const QString kServiceAccount = QStringLiteral("merovan");

bool runningAsRoot();

// Gives the file or folder to the service user and its group; false with
// the reason (no such user, not allowed).
bool giveToServiceAccount(const QString &path, QString &whyNot);

// Sets the permission bits, set-group-ID included; false with the reason.
bool setMode(const QString &path, unsigned mode, QString &whyNot);

} // namespace merovan
