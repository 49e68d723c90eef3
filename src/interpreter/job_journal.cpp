#include "interpreter/job_journal.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>

namespace merovan {

namespace {

const QByteArray kFormatLine = QByteArrayLiteral("merovan job journal 1");

} // namespace

bool JobJournal::begin(const JournalEntry &entry)
{
    current_ = entry;
    return write(entry);
}

bool JobJournal::recordLine(int line)
{
    if (!current_)
        return false;
    current_->lastLineSent = line;
    return write(*current_);
}

bool JobJournal::markEnded()
{
    if (!current_)
        return false;
    current_->ended = true;
    return write(*current_);
}

void JobJournal::clear()
{
    current_.reset();
    QFile::remove(path_);
}

bool JobJournal::write(const JournalEntry &entry)
{
    QByteArray text = kFormatLine + '\n';
    const auto field = [&text](const char *key, const QByteArray &value) {
        text += key;
        text += '=';
        text += value;
        text += '\n';
    };
    field("path", entry.jobPath.toUtf8());
    field("size", QByteArray::number(entry.size));
    field("sha256", entry.sha256);
    field("lines", QByteArray::number(entry.lineCount));
    field("tag", entry.tag.toUtf8());
    field("result", entry.resultFile.toUtf8());
    field("started", entry.started.toUtf8());
    field("line", QByteArray::number(entry.lastLineSent));
    field("ended", entry.ended ? "1" : "0");

    // QSaveFile writes a temporary file, syncs it to disk and renames it
    // over the journal.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text);
    return file.commit();
}

std::optional<JournalEntry> JobJournal::read() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.isEmpty() || lines.front() != kFormatLine)
        return std::nullopt;

    JournalEntry entry;
    bool complete = false;
    for (const QByteArray &line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1);
        if (key == "path")
            entry.jobPath = QString::fromUtf8(value);
        else if (key == "size")
            entry.size = value.toLongLong();
        else if (key == "sha256")
            entry.sha256 = value;
        else if (key == "lines")
            entry.lineCount = value.toInt();
        else if (key == "tag")
            entry.tag = QString::fromUtf8(value);
        else if (key == "result")
            entry.resultFile = QString::fromUtf8(value);
        else if (key == "started")
            entry.started = QString::fromUtf8(value);
        else if (key == "line")
            entry.lastLineSent = value.toInt();
        else if (key == "ended") {
            entry.ended = value == "1";
            complete = true; // the last field: the entry was written whole
        }
    }
    if (!complete || entry.jobPath.isEmpty())
        return std::nullopt;
    return entry;
}

std::optional<FileFingerprint> fingerprintOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    return FileFingerprint{file.size(), hash.result().toHex()};
}

} // namespace merovan
