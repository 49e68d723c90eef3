#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace merovan::sim {

// A file written one line at a time and flushed after each line, so that a
// test can read it while the simulator runs. Without a path it writes
// nothing.
class LineFile {
public:
    // Starts the file empty; false when it cannot be created.
    bool open(const QString &path);

    // Writes the bytes and a LF.
    void write(const QByteArray &line);

private:
    QFile file_;
};

} // namespace merovan::sim
