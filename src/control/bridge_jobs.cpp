#include "control/bridge.h"
#include "control/command_line.h"
#include "control/file_ready.h"
#include "control/interrupted_jobs.h"
#include "control/state_texts.h"
#include "core/main_window_model.h"
#include "core/operator.h"
#include "device/register_link.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace merovan {

namespace {

// The host's marker file, deleted before every job, at the root of the
// current drive.
QString endMarker() { return QDir::rootPath() + QStringLiteral("merovan/end.txt"); }

} // namespace

void Bridge::jobTick()
{
    // A stop request takes no new job; the end is on its way.
    if (jobRunning_ || link_.stops().requested())
        return;
    progress_.setValue(0);
    if (!refreshSettings())
        return;
    // A device that went away during an earlier job is opened anew.
    link_.connection().dropLostTransport();
    // The folder may have changed with the settings, or come back.
    folderWatch_.watch(jobFolder());
    window_.repaint();

    if (settings_.multiType == QStringLiteral("fals"))
        runSingleJob();
    else if (settings_.multiType == QStringLiteral("true") && runNextNumberedJob() && timer1_.isActive()) {
        // Jobs that arrived meanwhile may have been announced as one: look
        // again as soon as this tick is over.
        QTimer::singleShot(0, this, [this] {
            if (timer1_.isActive())
                jobTick();
        });
    }
}

QString Bridge::jobFolder() const
{
    return QFileInfo(settings_.location + settings_.file).absolutePath();
}

bool Bridge::refreshSettings()
{
    if (commandLine_.isEmpty()) {
        ParamReading reading;
        reading.connectionText = link_.connection().ConnectionText;
        reading.baud = baud_;
        reading.autoStart = autoStart_;
        // A settings file that cannot be read keeps the settings of the
        // last tick rather than stopping the work.
        if (readParamFile(QStringLiteral("param.ini"), ParamReader::PollingTick, reading)) {
            settings_ = reading.settings;
            link_.connection().ConnectionText = reading.connectionText;
            baud_ = reading.baud;
        }
        return true;
    }
    CommandLineSettings given;
    if (!settingsFromCommandLine(readcoman(commandLine_), given)) {
        endProgramNow(exitprg());
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
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        receipt.close();
        op_.fatal(QStringLiteral("Δεν είναι δυνατή η ανάγνωση του αρχείου εργασίας %1")
                      .arg(QFileInfo(path).absoluteFilePath()));
        endProgramNow(4);
        return;
    }
    probe.close();
    QFile::remove(endMarker());
    showReceiptNumber();
    const JobOutcome outcome = runJob(path);
    disposeOfJob(path, outcome, path.right(5).toUpper().endsWith(QStringLiteral("PRG.1")));
    receipt.close();
    endProgramNow(0);
}

QString Bridge::nextJobCandidate() const
{
    const QString &folder = settings_.location;
    const QString &name = settings_.file;
    if (name.contains(QLatin1Char('*'))) {
        const QFileInfo pattern(folder + name);
        QStringList matches = pattern.dir().entryList({pattern.fileName()}, QDir::Files, QDir::NoSort);
        // A job set aside after an interruption is never taken again.
        matches.removeIf([](const QString &name) { return name.endsWith(interruptedSuffix()); });
        return matches.isEmpty() ? QString() : pattern.dir().filePath(matches.first());
    }
    for (int n = 1; n <= 10; ++n) {
        const QString candidate = folder + name + QLatin1Char('.') + QString::number(n);
        if (FileReady(candidate))
            return candidate;
    }
    return {};
}

bool Bridge::runNextNumberedJob()
{
    const QString candidate = nextJobCandidate();
    if (candidate.isEmpty() || !FileReady(candidate))
        return false;
    QFile probe(candidate);
    if (!probe.open(QIODevice::ReadOnly))
        return false; // gone between the test and the run: the next tick tries again
    probe.close();
    QFile::remove(endMarker());
    getReceiptNumber();
    showReceiptNumber();
    const JobOutcome outcome = runJob(candidate);
    disposeOfJob(candidate, outcome, candidate.endsWith(QStringLiteral("prg.1")));
    window_.setStatus(state::waitingAfterJobStatus());
    window_.repaint();
    window_.setCaption(state::waitingAfterJobCaption());
    endAfterJobIfAsked();
    return true;
}

void Bridge::showReceiptNumber()
{
    window_.setLabel(QStringLiteral("lblreceipt"), interpreter_.receiptCounters().section(QLatin1Char(','), 1, 1));
}

JobOutcome Bridge::runJob(const QString &path)
{
    jobRunning_ = true;
    const JobOutcome outcome = interpreter_.runJob(path, settings_);
    if (outcome != JobOutcome::NotRun)
        journal_.markEnded();
    jobRunning_ = false;
    return outcome;
}

void Bridge::disposeOfJob(const QString &path, JobOutcome outcome, bool keep)
{
    if (outcome == JobOutcome::Interrupted)
        setAsideInterrupted(path);
    else if (!keep)
        QFile::remove(path);
    journal_.clear();
}

void Bridge::endAfterJobIfAsked()
{
    if (link_.stops().requested())
        orderlyEnd();
}

qint16 Bridge::getReceiptNumber()
{
    // Counting past the 16-bit range starts again rather than failing.
    ReceiptCounter = static_cast<qint16>(ReceiptCounter + 1);
    return ReceiptCounter;
}

void Bridge::endProgramNow(int status)
{
    ended_ = true;
    timer1_.stop();
    timer2_.stop();
    Q_EMIT programEnded(status);
}

} // namespace merovan
