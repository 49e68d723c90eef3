// Never a job twice: a job is taken only when it can be recorded, and a job
// file that could not be disposed of after its run is remembered as done.
#include "control/bridge.h"
#include "control/job_folder_rights.h"
#include "control/state_texts.h"
#include "core/append_line.h"
#include "core/main_window_model.h"
#include "core/operator.h"
#include "diagnostics/debug_log.h"

#include <QDir>
#include <QFileInfo>

namespace merovan {

namespace {

QString journalProblem(const QString &journal, const QString &user, const QString &why)
{
    return QStringLiteral("Δεν είναι δυνατή η εγγραφή του ημερολογίου εργασιών %1 από τον χρήστη %2 (%3). "
                          "Δώστε δικαίωμα εγγραφής στον φάκελό του· ως τότε δεν εκτελείται καμία εργασία.")
        .arg(journal, user, why);
}

QString folderProblem(const QString &folder, const QString &user, const QString &why)
{
    return QStringLiteral("Ο χρήστης %2 δεν μπορεί να διαγράψει εργασίες από τον φάκελο %1 (%3). "
                          "Δώστε του δικαίωμα εγγραφής στον φάκελο· ως τότε δεν εκτελείται καμία εργασία.")
        .arg(folder, user, why);
}

QString resultProblem(const QString &resultFile, const QString &folder, const QString &user)
{
    return QStringLiteral("Ο χρήστης %3 δεν μπορεί να γράψει το αρχείο αποτελεσμάτων \"%1\" ούτε τα Result και "
                          "Result.unsent στον φάκελο %2. Η εργασία περιμένει ώσπου να δοθεί δικαίωμα εγγραφής.")
        .arg(resultFile, folder, user);
}

QString undisposedNote(const QString &path, const QString &why)
{
    return QStringLiteral("Δεν ήταν δυνατή η διαγραφή του αρχείου εργασίας %1 (%2). Η εργασία εκτελέστηκε και δεν "
                          "θα εκτελεστεί ξανά όσο το αρχείο μένει ίδιο.")
        .arg(path, why);
}

} // namespace

QString Bridge::whyJobsCannotBeRecorded(const QString &jobPath, bool kept) const
{
    const QString user = currentUserName();
    const QString why = journal_.lastChangeWritten() ? QString() : journal_.whyNotWritable();
    if (!why.isEmpty())
        return journalProblem(QFileInfo(journal_.path()).absoluteFilePath(), user, why);
    // A folder that is not there has a status line of its own.
    const bool removalMatters = !kept && QFileInfo(QFileInfo(jobPath).absolutePath()).isDir();
    if (const QString cannot = removalMatters ? whyFileCannotBeRemoved(jobPath) : QString(); !cannot.isEmpty())
        return folderProblem(QFileInfo(jobPath).absolutePath(), user, cannot);
    return {};
}

void Bridge::checkRecords()
{
    // Said at start-up at once, not at the first job.
    showRecordProblem(whyJobsCannotBeRecorded(QDir(jobFolder()).filePath(QFileInfo(settings_.file).fileName()),
                                              false));
}

bool Bridge::canRecordJob(const QString &jobPath, bool kept, const QString &divertedTo)
{
    QString problem = whyJobsCannotBeRecorded(jobPath, kept);
    if (problem.isEmpty()) {
        const QString resultFile = divertedTo.isEmpty() ? readJobHeaderOnly(jobPath).resultFile : divertedTo;
        if (!canAppendTo(resultFile) && !canAppendTo(QStringLiteral("Result")) &&
            !canAppendTo(QStringLiteral("Result.unsent")))
            problem = resultProblem(resultFile, QDir::currentPath(), currentUserName());
    }
    showRecordProblem(problem);
    if (problem.isEmpty())
        toldProblem_.clear();
    return problem.isEmpty();
}

void Bridge::showRecordProblem(const QString &problem)
{
    if (problem.isEmpty()) {
        if (!recordProblem_.isEmpty())
            window_.setStatus(state::waitingStatus());
        recordProblem_.clear();
        return;
    }
    window_.setStatus(problem);
    window_.repaint();
    recordProblem_ = problem;
    // Told once; later ticks find the same and only keep the status line.
    if (problem == toldProblem_)
        return;
    toldProblem_ = problem;
    log_.addLine(problem);
    PlainMessage(op_, problem, MsgExclamation);
}

void Bridge::disposeOfJob(const QString &path, JobOutcome outcome, bool keep)
{
    if (outcome == JobOutcome::NotStarted) {
        showRecordProblem(whyJobsCannotBeRecorded(path, keep));
        return;
    }
    // What ran is what the run read; a file written anew under its name
    // meanwhile is another job, left for the next tick.
    const std::optional<FileIdentity> ran =
        outcome == JobOutcome::Rejected ? identityOf(path)
                                        : (journal_.current() ? std::optional(journal_.current()->identity())
                                                              : std::nullopt);
    const std::optional<FileIdentity> now = identityOf(path);
    if (!ran || !now || *ran != *now) {
        if (now)
            log_.addLine(QStringLiteral("Το αρχείο εργασίας %1 γράφτηκε ξανά όσο εκτελούνταν: νέα εργασία.").arg(path));
        journal_.clear();
        return;
    }
    QString why;
    bool disposed = true;
    if (outcome == JobOutcome::Interrupted)
        disposed = disposal_->setAside(path, interruptedSuffix(), why);
    else if (outcome == JobOutcome::Rejected)
        disposed = disposal_->setAside(path, rejectedSuffix(), why);
    else if (!keep)
        disposed = disposal_->remove(path, why);
    if (!disposed)
        rememberUndisposed(path, *ran, why);
    journal_.clear();
}

void Bridge::rememberUndisposed(const QString &path, const FileIdentity &identity, const QString &why)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    journal_.rememberDone({absolute, identity});
    const QString note = undisposedNote(absolute, why);
    window_.setStatus(note);
    window_.repaint();
    log_.addLine(note);
    PlainMessage(op_, note, MsgExclamation);
}

bool Bridge::ranAlready(const QString &path)
{
    return journal_.holdsDone(path);
}

} // namespace merovan
