#pragma once

#include <QByteArray>
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
};

// The crash journal ("merovan.journal" in the working folder): it records
// the job in progress so that a job cut short by a crash, a power cut or
// kill -9 is reported on the next start instead of being run again into
// the receipt that it left open.
//
// One entry at most, as "key=value" lines after a first line naming the
// format. Every change rewrites the whole file under a temporary name,
// flushes it to disk and renames it over the old one, so a reader finds
// either the old entry or the new one, never a torn one.
class JobJournal {
public:
    explicit JobJournal(QString path) : path_(std::move(path)) {}

    // Before the job's first command.
    bool begin(const JournalEntry &entry);
    // After each line: the number of the last line whose commands were sent.
    bool recordLine(int line);
    // When the job's end lines are in the result file.
    bool markEnded();
    // When the job file has been disposed of.
    void clear();

    std::optional<JournalEntry> read() const;

    QString path() const { return path_; }

private:
    bool write(const JournalEntry &entry);

    QString path_;
    std::optional<JournalEntry> current_;
};

// Size and SHA-256 (hex) of a file's bytes; nullopt when it cannot be read.
struct FileFingerprint {
    qint64 size = 0;
    QByteArray sha256;
};
std::optional<FileFingerprint> fingerprintOf(const QString &path);

} // namespace merovan
