#include "interpreter/job_journal.h"

#include "core/sync_to_disk.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <functional>

namespace merovan {

namespace {

const QByteArray kFormatLine = QByteArrayLiteral("merovan job journal 2");
// The first format held the job in progress only, its texts unescaped.
const QByteArray kFirstFormatLine = QByteArrayLiteral("merovan job journal 1");
// The last line of a whole journal.
const QByteArray kEndLine = QByteArrayLiteral("end");

// Texts are kept percent-encoded, so that a file name holding a line end
// or a blank cannot break the line it stands on.
QByteArray encoded(const QString &text) { return text.toUtf8().toPercentEncoding(); }

struct JournalContents {
    std::optional<JournalEntry> entry;
    QList<DoneJob> done;
};

QByteArray serialise(const std::optional<JournalEntry> &entry, const QList<DoneJob> &done)
{
    QByteArray text = kFormatLine + '\n';
    const auto field = [&text](const char *key, const QByteArray &value) {
        text += key;
        text += '=';
        text += value;
        text += '\n';
    };
    for (const DoneJob &job : done) {
        const QByteArray hash = job.identity.sha256.isEmpty() ? QByteArrayLiteral("-") : job.identity.sha256;
        field("done", QByteArray::number(job.identity.size) + ' ' + QByteArray::number(job.identity.modifiedMs) + ' ' +
                          hash + ' ' + encoded(job.path));
    }
    if (entry) {
        field("path", encoded(entry->jobPath));
        field("size", QByteArray::number(entry->size));
        field("modified", QByteArray::number(entry->modifiedMs));
        field("sha256", entry->sha256);
        field("lines", QByteArray::number(entry->lineCount));
        field("tag", encoded(entry->tag));
        field("result", encoded(entry->resultFile));
        field("started", encoded(entry->started));
        field("line", QByteArray::number(entry->lastLineSent));
        field("ended", entry->ended ? "1" : "0");
    }
    text += kEndLine + '\n';
    return text;
}

std::optional<DoneJob> doneJobFrom(const QByteArray &value, const std::function<QString(const QByteArray &)> &text)
{
    const QList<QByteArray> parts = value.split(' ');
    if (parts.size() != 4)
        return std::nullopt;
    DoneJob job{text(parts[3]), {parts[0].toLongLong(), parts[1].toLongLong(), parts[2] == "-" ? QByteArray() : parts[2]}};
    if (job.path.isEmpty())
        return std::nullopt;
    return job;
}

JournalContents parse(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    // What follows the last line end was cut short by a crash.
    lines.removeLast();
    const bool first = !lines.isEmpty() && lines.front() == kFirstFormatLine;
    if (lines.isEmpty() || (!first && lines.front() != kFormatLine))
        return {};
    // A journal of today's format is whole only with its last line.
    if (!first && !lines.contains(kEndLine))
        return {};
    const auto text = [first](const QByteArray &value) {
        return QString::fromUtf8(first ? value : QByteArray::fromPercentEncoding(value));
    };

    JournalContents contents;
    JournalEntry entry;
    bool complete = false;
    for (const QByteArray &line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1);
        if (key == "done") {
            if (const auto job = doneJobFrom(value, text))
                contents.done << *job;
        } else if (key == "path")
            entry.jobPath = text(value);
        else if (key == "size")
            entry.size = value.toLongLong();
        else if (key == "modified")
            entry.modifiedMs = value.toLongLong();
        else if (key == "sha256")
            entry.sha256 = value;
        else if (key == "lines")
            entry.lineCount = value.toInt();
        else if (key == "tag")
            entry.tag = text(value);
        else if (key == "result")
            entry.resultFile = text(value);
        else if (key == "started")
            entry.started = text(value);
        else if (key == "line")
            entry.lastLineSent = value.toInt();
        else if (key == "ended") {
            entry.ended = value == "1";
            complete = true; // the entry's last field
        }
    }
    if (complete && !entry.jobPath.isEmpty())
        contents.entry = entry;
    return contents;
}

JournalContents readContents(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

} // namespace

bool JobJournal::begin(const JournalEntry &entry)
{
    loadDoneJobs();
    current_ = entry;
    return write();
}

bool JobJournal::recordLine(int line)
{
    if (!current_)
        return false;
    current_->lastLineSent = line;
    return appendField("line=" + QByteArray::number(line));
}

bool JobJournal::markEnded()
{
    if (!current_)
        return false;
    current_->ended = true;
    return appendField("ended=1");
}

bool JobJournal::appendField(const QByteArray &field)
{
    // The job's progress is one line appended and synced rather than the
    // whole journal rewritten: a later field counts over an earlier one,
    // and one torn by a crash is passed over.
    QFile file(path_);
    const QByteArray text = field + '\n';
    writable_ = file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) &&
                file.write(text) == text.size() && syncToDisk(file);
    return writable_;
}

void JobJournal::clear()
{
    loadDoneJobs();
    current_.reset();
    if (done_.isEmpty())
        QFile::remove(path_);
    else
        write();
}

std::optional<JournalEntry> JobJournal::read() const { return readContents(path_).entry; }

bool JobJournal::rememberDone(const DoneJob &job)
{
    loadDoneJobs();
    done_.removeIf([&job](const DoneJob &d) { return d.path == job.path; });
    done_ << job;
    hashChecked_.insert(job.path);
    return write();
}

bool JobJournal::holdsDone(const QString &path)
{
    loadDoneJobs();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const auto it = std::find_if(done_.begin(), done_.end(), [&](const DoneJob &d) { return d.path == absolute; });
    if (it == done_.end())
        return false;

    const QFileInfo info(absolute);
    bool same = info.exists() && info.size() == it->identity.size &&
                info.lastModified().toMSecsSinceEpoch() == it->identity.modifiedMs;
    if (same && !it->identity.sha256.isEmpty() && !hashChecked_.contains(absolute)) {
        const auto now = identityOf(absolute);
        same = now && now->sha256 == it->identity.sha256;
    }
    if (!same) {
        done_.erase(it);
        hashChecked_.remove(absolute);
        write();
        return false;
    }
    hashChecked_.insert(absolute);
    return true;
}

QList<DoneJob> JobJournal::doneJobs()
{
    loadDoneJobs();
    return done_;
}

QString JobJournal::whyNotWritable() const
{
    // The journal is written back as it stands, the whole way a change
    // goes (a temporary file, synced, renamed into place), so an entry
    // that a crash left for the next start stays as it was.
    const bool existed = QFileInfo(path_).isFile();
    QByteArray bytes = kFormatLine + '\n' + kEndLine + '\n';
    if (QFile file(path_); existed && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    QSaveFile save(path_);
    if (!save.open(QIODevice::WriteOnly) || save.write(bytes) != bytes.size() || !save.commit())
        return save.errorString();
    if (!existed)
        QFile::remove(path_);
    return {};
}

void JobJournal::loadDoneJobs()
{
    if (doneLoaded_)
        return;
    doneLoaded_ = true;
    done_ = readContents(path_).done;
}

bool JobJournal::write()
{
    // QSaveFile writes a temporary file, syncs it to disk and renames it
    // over the journal.
    QSaveFile file(path_);
    writable_ = file.open(QIODevice::WriteOnly) && file.write(serialise(current_, done_)) >= 0 && file.commit();
    return writable_;
}

} // namespace merovan
