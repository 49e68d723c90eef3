#include "control/bridge.h"
#include "control/command_line.h"
#include "control/file_ready.h"
#include "control/set_aside_jobs.h"
#include "control/state_texts.h"
#include "core/main_window_model.h"
#include "core/operator.h"
#include "device/register_link.h"
#include "jobs/api_job_intake.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <limits>

namespace merovan {

namespace {

// The host's marker file, deleted before every job, at the root of the
// current drive.
QString endMarker() { return QDir::rootPath() + QStringLiteral("merovan/end.txt"); }

// How long a job file written in place must stay unchanged before it is
// taken: a host that opens, appends and closes it piece by piece pauses
// between pieces for far less. A file renamed into the folder is taken at
// once.
constexpr qint64 kSettleMs = 300;

} // namespace

void Bridge::jobTick()
{
    // A stop request takes no new job; the end is on its way.
    if (jobRunning_ || link_.stops().requested())
        return;
    progress_.setValue(0);
    if (!refreshSettings())
        return;
    recorder_.pruneIfDue(historyDays_);
    // A device that went away during an earlier job is opened anew.
    link_.connection().dropLostTransport();
    // The folder may have changed with the settings, or come back.
    folderWatch_.watch(jobFolder());
    // A journal or folder that could not be written is looked at again, so
    // that fixing it resumes the work without a restart.
    if (!recordProblem_.isEmpty())
        checkRecords();
    window_.repaint();

    if (settings_.multiFile == SettingSwitch::Off) {
        // A host's queued job comes before the one job of this working.
        if (!runQueuedJob())
            runSingleJob();
    } else if (settings_.multiFile == SettingSwitch::On && takeTurn() && jobTimer_.isActive()) {
        // Jobs that arrived meanwhile may have been announced as one: look
        // again as soon as this tick is over.
        QTimer::singleShot(0, this, [this] {
            if (jobTimer_.isActive())
                jobTick();
        });
    }
}

bool Bridge::takeTurn()
{
    // Folder and queue take turns while both have work: the folder keeps
    // its own order, and a host's job never waits behind a busy folder.
    if (queueTurn_ && queue_.size() > 0) {
        queueTurn_ = false;
        return runQueuedJob();
    }
    if (runNextNumberedJob()) {
        queueTurn_ = true;
        return true;
    }
    return runQueuedJob();
}

QString Bridge::jobFolder() const
{
    return QFileInfo(settings_.location + settings_.file).absolutePath();
}

bool Bridge::refreshSettings()
{
    if (commandLine_.isEmpty()) {
        ParamReading reading;
        reading.connectionText = link_.connection().connectionText;
        reading.baud = baud_;
        reading.autoStart = autoStart_;
        // A settings file that cannot be read keeps the settings of the
        // last tick rather than stopping the work.
        if (readParamFile(kParamFile, ParamReader::PollingTick, reading)) {
            settings_ = reading.settings;
            link_.connection().connectionText = reading.connectionText;
            baud_ = reading.baud;
        }
        return true;
    }
    CommandLineSettings given;
    if (!settingsFromCommandLine(splitCommandLine(commandLine_), given)) {
        endProgramNow(refuseCommandLine());
        return false;
    }
    settings_ = given.settings;
    return true;
}

void Bridge::runSingleJob()
{
    // Kept empty: the job number is shown on the window, not written here.
    QFile receipt(QStringLiteral("receipt.txt"));
    receipt.open(QIODevice::WriteOnly | QIODevice::Truncate);

    const QString path = settings_.location + settings_.file;
    if (!QFileInfo::exists(path)) {
        receipt.close();
        op_.fatal(QStringLiteral("Δεν είναι δυνατή η ανάγνωση του αρχείου εργασίας %1")
                      .arg(QFileInfo(path).absoluteFilePath()));
        endProgramNow(4);
        return;
    }
    if (ranAlready(path)) {
        endProgramNow(refuseJobThatRan(path));
        return;
    }
    const bool keep = path.right(5).toUpper().endsWith(QStringLiteral("PRG.1"));
    // A job that cannot be recorded waits, with the reason on the status
    // line, for the next tick.
    if (!canRecordJob(path, keep))
        return;
    QFile::remove(endMarker());
    showReceiptNumber();
    // One that cannot be read is set aside with its reason by the run.
    const JobOutcome outcome = runJob(path, commandLine_.isEmpty() ? JobSource::Folder : JobSource::CommandLine);
    disposeOfJob(path, outcome, keep);
    receipt.close();
    if (outcome != JobOutcome::NotStarted)
        endProgramNow(outcome == JobOutcome::Rejected ? 4 : 0);
}

QString Bridge::nextJobCandidate()
{
    const QString &folder = settings_.location;
    const QString &name = settings_.file;
    if (name.contains(QLatin1Char('*'))) {
        const QFileInfo pattern(folder + name);
        QStringList matches = pattern.dir().entryList({pattern.fileName()}, QDir::Files, QDir::NoSort);
        // A job that was set aside is never taken again.
        matches.removeIf([](const QString &name) { return isSetAside(name); });
        matches.removeIf([&](const QString &name) { return ranAlready(pattern.dir().filePath(name)); });
        return matches.isEmpty() ? QString() : pattern.dir().filePath(matches.first());
    }
    for (int n = 1; n <= 10; ++n) {
        const QString candidate = folder + name + QLatin1Char('.') + QString::number(n);
        // Not a regular file (a folder, a pipe): taken only to be set aside.
        const QFileInfo info(candidate);
        if ((readyNow(candidate) || (info.exists() && !info.isFile())) && !ranAlready(candidate))
            return candidate;
    }
    return {};
}

bool Bridge::readyNow(const QString &path)
{
    return jobFileReady(path, folderWatch_.renamedIn(path));
}

bool Bridge::jobFolderPresent()
{
    const QString folder = jobFolder();
    const bool present = QFileInfo(folder).isDir();
    if (present != folderPresent_) {
        folderPresent_ = present;
        window_.setStatus(present ? state::waitingStatus() : state::missingFolderStatus(folder));
        window_.repaint();
    }
    return present;
}

bool Bridge::settled(const QString &path)
{
    // Renamed in: complete by the host's contract.
    if (folderWatch_.renamedIn(path))
        return true;
    // File times are the file system's real ones, not the clock seam's.
    const qint64 age = QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime());
    if (age >= kSettleMs || age < 0)
        return true;
    QTimer::singleShot(kSettleMs - age + 5, this, [this] {
        if (jobTimer_.isActive())
            jobTick();
    });
    return false;
}

void Bridge::fileArrived()
{
    if (jobTimer_.isActive())
        jobTick();
}

bool Bridge::runNextNumberedJob()
{
    if (!jobFolderPresent())
        return false;
    const QString candidate = nextJobCandidate();
    if (candidate.isEmpty())
        return false;
    // The candidate was found ready just now; one written in place must
    // also have settled.
    if (QFileInfo(candidate).isFile() && !settled(candidate))
        return false;
    const bool keep = candidate.endsWith(QStringLiteral("prg.1"));
    if (!canRecordJob(candidate, keep))
        return false;
    // One that cannot be read goes on to the run, which sets it aside.
    QFile::remove(endMarker());
    countJob();
    showReceiptNumber();
    const JobOutcome outcome = runJob(candidate, JobSource::Folder);
    if (outcome == JobOutcome::NotStarted) {
        disposeOfJob(candidate, outcome, keep);
        return false;
    }
    window_.setStatus(state::waitingAfterJobStatus());
    window_.repaint();
    window_.setCaption(state::waitingAfterJobCaption());
    disposeOfJob(candidate, outcome, keep);
    endAfterJobIfAsked();
    return true;
}

void Bridge::showReceiptNumber()
{
    window_.setLabel(WindowControl::ReceiptLabel, interpreter_.receiptCounters().section(QLatin1Char(','), 1, 1));
}

JobOutcome Bridge::runJob(const QString &path, JobSource source, const QueuedJob *queued)
{
    jobRunning_ = true;
    recorder_.taken(queued ? queued->id : 0, source, JobKind::Job, path);
    interpreter_.divertedResultFile = queued ? ApiJobIntake::resultPathFor(path) : QString();
    const JobOutcome outcome = interpreter_.runJob(path, settings_);
    interpreter_.divertedResultFile.clear();
    if (outcome == JobOutcome::Ran || outcome == JobOutcome::Interrupted)
        journal_.markEnded();
    // The history hears of the end before the journal forgets the job.
    switch (outcome) {
    case JobOutcome::Ran:
        recorder_.ended(JobState::Done);
        break;
    case JobOutcome::Interrupted:
        recorder_.ended(JobState::Interrupted);
        break;
    case JobOutcome::Rejected:
        recorder_.ended(JobState::Rejected);
        break;
    case JobOutcome::NotStarted:
        recorder_.untaken();
        break;
    }
    jobRunning_ = false;
    return outcome;
}

int Bridge::refuseJobThatRan(const QString &path)
{
    op_.fatal(QStringLiteral("Η εργασία %1 έχει ήδη εκτελεστεί και δεν εκτελείται ξανά: το αρχείο της δεν "
                             "διαγράφηκε τότε. Γράψτε νέα εργασία ή αφαιρέστε το αρχείο.")
                  .arg(QFileInfo(path).absoluteFilePath()));
    return kJobRanAlready;
}

void Bridge::endAfterJobIfAsked()
{
    if (link_.stops().requested())
        orderlyEnd();
}

std::optional<qint16> Bridge::countJob()
{
    if (jobCount_ == std::numeric_limits<qint16>::max())
        return std::nullopt;
    return ++jobCount_;
}

void Bridge::endProgramNow(int status)
{
    stopTimers();
    Q_EMIT programEnded(status);
}

} // namespace merovan
