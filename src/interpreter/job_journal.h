#pragma once

#include "interpreter/file_identity.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace merovan {

// What the journal knows of the job in progress.
struct JournalEntry {
    QString jobPath;    // absolute
    qint64 size = 0;
    QByteArray sha256;  // hex, of the job file's bytes
    int lineCount = 0;
    QString tag;
    QString resultFile; // as the job's header names it
    QString started;    // the "DateTime start" stamp
    int lastLineSent = 0;
    bool ended = false; // the job's end lines are written
    qint64 modifiedMs = 0;

    FileIdentity identity() const { return {size, modifiedMs, sha256}; }
};

// A job that ran but whose file could not be removed (or renamed aside):
// it is never taken again while its file stays as it was.
struct DoneJob {
    QString path; // absolute
    FileIdentity identity;
};

// The crash journal ("merovan.journal" in the working folder): it records
// the job in progress so that a job cut short by a crash, a power cut or
// kill -9 is reported on the next start instead of being run again into
// the receipt that it left open; and it remembers the jobs whose files
// could not be disposed of, so that no restart runs them a second time.
//
// Every change rewrites the whole file under a temporary name, flushes it
// to disk and renames it over the old one, so a reader finds either the
// old state or the new one, never a torn one.
class JobJournal {
public:
    explicit JobJournal(QString path) : path_(std::move(path)) {}

    // Before the job's first command.
    bool begin(const JournalEntry &entry);
    // After each line: the number of the last line whose commands were sent.
    bool recordLine(int line);
    // When the job's end lines are in the result file.
    bool markEnded();
    // When the job file has been disposed of (or remembered as done).
    void clear();

    // The entry of the job in progress as it stands on disk.
    std::optional<JournalEntry> read() const;

    // Remembers a job whose file could not be disposed of.
    bool rememberDone(const DoneJob &job);
    // Whether the file at path is a job that ran and is still the very
    // file that ran. A file that is gone or changed is forgotten: a new
    // job under the same name is taken as any other.
    bool holdsDone(const QString &path);
    QList<DoneJob> doneJobs();

    // Whether the journal can be written and synced to disk where it lies:
    // why not, in the system's words, or empty. No job is taken while it
    // cannot: a job that could not be recorded could be run twice.
    QString whyNotWritable() const;
    // Whether the journal's last change reached the disk: then it needs no
    // look before the next job, whose start is recorded before any command
    // all the same.
    bool lastChangeWritten() const { return writable_; }

    // The entry of the job in progress, as this run keeps it.
    const std::optional<JournalEntry> &current() const { return current_; }

    QString path() const { return path_; }

private:
    void loadDoneJobs();
    bool write();
    bool appendField(const QByteArray &field);

    QString path_;
    std::optional<JournalEntry> current_;
    QList<DoneJob> done_;
    bool doneLoaded_ = false;
    bool writable_ = false;
    // Done jobs whose bytes were hashed and found unchanged in this run;
    // their size and time are checked at every look, their hash once.
    QSet<QString> hashChecked_;
};

} // namespace merovan
