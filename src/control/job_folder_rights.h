#pragma once

#include <QString>

namespace merovan {

// Why this program could not remove the file at path from its folder (a
// read-only file system, no write permission on the folder, a sticky
// folder where the file is another user's), in the system's words; empty
// when nothing stands in the way (platform file).
QString whyFileCannotBeRemoved(const QString &path);

// The name of the user this program runs as (platform file).
QString currentUserName();

} // namespace merovan
