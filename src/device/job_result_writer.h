#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace merovan {

class Operator;

// Appends the lines of one job's block to the host's result file. A line
// that cannot be written there (a read-only folder, a full disk, an empty
// "resFile:") goes to "Result" in the working folder, or when that fails
// too to "Result.unsent"; the operator is told once per job where the
// lines went, and the block there starts with the job's own "tag = " and
// "DateTime start = " lines, so that a host reading that file never takes
// the rest of one job's block for the end of another's.
class JobResultWriter {
public:
    explicit JobResultWriter(Operator &op) : op_(op) {}

    // A new job's block begins.
    void begin();
    void append(const QString &target, const QString &line);

private:
    bool appendOpening(const QString &file);
    void tellDiversion(const QString &target, const QString &writtenTo);

    Operator &op_;
    QStringList opening_;    // the block's "tag = " and "DateTime start = " lines
    bool pastOpening_ = false;
    QSet<QString> openedIn_; // fallback files that have the opening already
    QHash<QString, QString> divertedTo_; // where the rest of a target's block goes
    bool diversionTold_ = false;
};

} // namespace merovan
