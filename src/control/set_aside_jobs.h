#pragma once

#include <QString>

namespace merovan {

// Endings of job files that were set aside instead of deleted: one that a
// stop or a crash interrupted, one that could not be run. Such files are
// never taken as jobs again.
QString interruptedSuffix();
QString rejectedSuffix();
bool isSetAside(const QString &name);

// How a job file is disposed of once its run is over. Either step may
// fail (a folder the program may read but not change); why says so then,
// in the system's words. Tests put in one that fails.
class JobFileDisposal {
public:
    virtual ~JobFileDisposal() = default;
    virtual bool remove(const QString &path, QString &why);
    // Renames the job file NAME to NAME + suffix (then + ".2", ".3", ...
    // when that name is taken, so no earlier one is lost).
    virtual bool setAside(const QString &path, const QString &suffix, QString &why);
};

} // namespace merovan
