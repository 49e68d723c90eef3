#include "control/bridge.h"
#include "control/set_aside_jobs.h"
#include "core/clock.h"
#include "core/main_window_model.h"
#include "core/operator.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace merovan {

namespace {

QString endsAfterJobNote() { return QStringLiteral("Τερματισμός μετά την ολοκλήρωση της τρέχουσας εργασίας..."); }
QString stopsNowNote() { return QStringLiteral("Διακοπή της εργασίας και τερματισμός..."); }

} // namespace

void Bridge::requestStop()
{
    const StopRequests::Level level = link_.stops().request();
    if (jobRunning_) {
        // Shown at once: the job may be waiting (a card terminal's verdict).
        window_.pinStatusNote(level == StopRequests::Level::Now ? stopsNowNote() : endsAfterJobNote());
        window_.repaint();
        return;
    }
    // Whatever runs on the bridge's thread now (a search, a report) ends
    // first; no job starts once a stop has been asked for.
    if (QThread::currentThread() == thread())
        orderlyEnd();
    else
        QMetaObject::invokeMethod(this, &Bridge::orderlyEnd, Qt::QueuedConnection);
}

void Bridge::installJournal()
{
    interpreter_.jobStarting = [this](const QString &path, const JobText &text, const JobHeader &header,
                                      const QString &started) {
        // A diverted block (a host API job's) is where a recovery writes too.
        const QString resultFile =
            interpreter_.divertedResultFile.isEmpty() ? header.resultFile : interpreter_.divertedResultFile;
        JournalEntry entry{QFileInfo(path).absoluteFilePath(), text.identity.size, text.identity.sha256,
                           int(text.lines.size()), header.tag, resultFile, started, 0, false};
        entry.modifiedMs = text.identity.modifiedMs;
        if (!journal_.begin(entry))
            return false;
        recorder_.started(header.tag, text.identity.sha256);
        return true;
    };
    interpreter_.lineSent = [this](int line) { journal_.recordLine(line); };
}

QString Bridge::recoverInterruptedJob()
{
    // The history learns what the journal says of the job a crash cut
    // short, with the block the report below writes.
    const std::optional<JournalEntry> entry = journal_.read();
    recorder_.captureRecovery();
    const QString recovered = reportInterruptedJob(entry);
    recorder_.settleCrashed(entry && entry->ended);
    return recovered;
}

QString Bridge::reportInterruptedJob(const std::optional<JournalEntry> &entry)
{
    if (entry && !QFileInfo(entry->jobPath).isFile()) {
        // Only a job file is looked at: reading a pipe or a device named
        // there could wait for ever.
        if (QFileInfo::exists(entry->jobPath))
            log_.addLine(QStringLiteral("Το ημερολόγιο εργασιών δείχνει το %1, που δεν είναι αρχείο: παραλείπεται.")
                             .arg(entry->jobPath));
        journal_.clear();
        return {};
    }
    const auto now = entry ? identityOf(entry->jobPath) : std::nullopt;
    // Nothing to report when the file is gone or holds another job: the
    // host has disposed of it or written a new one under the same name.
    if (!entry || !now || now->size != entry->size || now->sha256 != entry->sha256) {
        journal_.clear();
        return {};
    }
    QString why;
    if (entry->ended) {
        // Its end lines are written; only its disposal was cut short.
        if (!entry->jobPath.toUpper().endsWith(QStringLiteral("PRG.1")) && !disposal_->remove(entry->jobPath, why))
            rememberUndisposed(entry->jobPath, *now, why);
        journal_.clear();
        return {};
    }

    link_.beginJobResult(entry->resultFile);
    const auto append = [this](const QString &line) { link_.appendResult(line); };
    append(QStringLiteral("tag = ") + entry->tag);
    append(QStringLiteral("DateTime start = ") + entry->started);
    append(QStringLiteral("Err = %1, [interrupted at line %2 of %3] DateTime = %4")
               .arg(RegisterLink::kStoppedCode)
               .arg(entry->lastLineSent)
               .arg(entry->lineCount)
               .arg(resultStamp(clock_.now())));
    const QString counters = interpreter_.receiptCounters();
    if (counters != QStringLiteral("-1, -1, -1")) {
        append(QStringLiteral("recStatus = 0;"));
        append(QStringLiteral("receipt = %1, 0").arg(counters));
    }
    append(QStringLiteral("exitcode = 1"));
    if (!disposal_->setAside(entry->jobPath, interruptedSuffix(), why))
        rememberUndisposed(entry->jobPath, *now, why);
    journal_.clear();

    PlainMessage(op_,
                 QStringLiteral("Η εργασία %1 διακόπηκε στη γραμμή %2 από %3 και δεν θα εκτελεστεί ξανά. "
                                "Ελέγξτε την ταμειακή: μπορεί να έχει μείνει ανοικτή απόδειξη.")
                     .arg(entry->jobPath)
                     .arg(entry->lastLineSent)
                     .arg(entry->lineCount),
                 MsgExclamation);
    return entry->jobPath;
}

} // namespace merovan
