#pragma once

#include <QString>

namespace merovan {

// Whether a job file may be taken: it exists, is not empty, and no other
// process holds it open for writing or holds a lock on it. A host that is
// still writing its job therefore keeps it from being taken half-written;
// the safe way for a host is to write under another name and then rename.
bool jobFileReady(const QString &path);

// Whether another process has the file open for writing or locked
// (platform file).
bool heldByAnotherWriter(const QString &path);

} // namespace merovan
