#pragma once

#include "unique_fd.h"

#include <QByteArray>
#include <QString>

namespace merovan::sim {

// A pseudo-terminal of our own, raw, with a symbolic link to its slave side
// at a path of the caller's choosing (an existing link there is replaced).
// The link is removed when the object goes.
//
// We keep the slave side open ourselves: otherwise the master reports a
// hang-up, and poll() returns at once, whenever the bridge has it closed.
class PtyLink {
public:
    PtyLink() = default;
    PtyLink(const PtyLink &) = delete;
    PtyLink &operator=(const PtyLink &) = delete;
    ~PtyLink();

    // False, with a reason, when the terminal or the link cannot be made.
    bool open(const QString &linkPath, QString &error);

    int masterFd() const { return master_.get(); }
    QString slaveName() const { return QString::fromLocal8Bit(slaveName_); }

private:
    UniqueFd master_;
    UniqueFd slave_;
    QByteArray slaveName_;
    QByteArray linkPath_; // set once the link is ours
};

} // namespace merovan::sim
