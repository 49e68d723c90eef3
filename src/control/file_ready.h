#pragma once

#include <QString>

namespace merovan {

// Whether a job file may be taken: it exists, is not empty, and no other
// process holds it open for writing or holds a lock on it. A host that is
// still writing its job therefore keeps it from being taken half-written;
// the safe way for a host is to write under another name and then rename.
//
// A file renamed into the folder is complete by that contract: the other
// processes' open files, a look whose cost grows with the whole machine,
// are looked through only for a file written in place.
bool jobFileReady(const QString &path, bool renamedIn = false);

// Whether another process holds a lock on the file (platform file).
bool lockedByAnother(const QString &path);

// Whether another process has the file open for writing (platform file).
bool openForWritingElsewhere(const QString &path);

} // namespace merovan
