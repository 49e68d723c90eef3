#pragma once

#include "control/job_folder_watch.h"
#include "control/set_aside_jobs.h"
#include "core/progress.h"
#include "core/window_control.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_journal.h"
#include "jobs/job_queue.h"
#include "jobs/job_recorder.h"
#include "settings/param_file.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace merovan {

class Clock;
class DebugLog;
class MainWindowModel;
class Operator;
class RegisterLink;

// The main window's logic (Merovan): start-up in resident or command-line
// mode, the search for the register, Start and Stop printing, the menu
// commands and every way the program ends. It owns the timers and writes
// the main window model; front ends render the model and forward clicks.
//
// In the programs it lives on the worker thread that owns the register
// connection (see runBridge): its timers tick there, and everything that
// talks to the register runs there, one thing at a time. The window thread
// reaches it through trigger() and requestStop(), which are safe to call
// from any thread.
class Bridge : public QObject {
    Q_OBJECT
public:
    Bridge(Operator &op, Clock &clock, DebugLog &log, RegisterLink &link, QObject *parent = nullptr);
    ~Bridge() override;

    // Runs the start-up. Returns an exit status when the program must end
    // at once (refused command line, missing param.ini); otherwise the
    // bridge runs on its timers until programEnded.
    std::optional<int> start(const QString &commandLine);

    // Menu items and buttons (XReport, DebugWindow, EndProgram,
    // StartButton, ...). Disabled items do nothing. Items that talk to the
    // register or to the timers run on the bridge's thread, after whatever
    // runs there now; EndProgram is a stop request; the rest run at once.
    void trigger(WindowControl control);

    // The operator's quit, a closed window, or a signal. With no job under
    // way the program ends in order; during a job the job finishes first
    // and the status line says so; a second request stops the job at the
    // next command boundary. Safe from any thread.
    void requestStop();

    void searchTick();
    void startPrinting();
    void stopPrinting();

    // Reports a job that a crash cut short (its journal entry is there and
    // its file unchanged): result block, file renamed NAME.interrupted,
    // operator told. Returns that job's path, or an empty text.
    QString recoverInterruptedJob();

    // Firmware version by "KXVER", or "---".
    QString readFirmwareVersion();

    // The orderly end: connection closed, window unloaded, program ended.
    void orderlyEnd();

    // Ends the program with this status (once): the window unloads, the
    // connection closes.
    void endWith(int status);

    // The settings window holds the search while it is open; closing it
    // lets the search ticks run again.
    void holdSearch() { searchTimer_.stop(); }
    void resumeSearch() { searchTimer_.start(); }

    // After the settings were saved the operator is told to restart: the
    // window unloads and the program ends.
    void endAfterSettingsSaved();

    // One tick of the job timer: finds the next job file and runs it. No
    // tick starts while a job runs (the job lets events run).
    void jobTick();

    // The daily Z report ("KX021T1"), also run by the "MKZ" job line.
    void zReport();
    static QString dailyZReportCommand() { return QStringLiteral("KX021T1"); }

    // Adds 1 to the jobs counted in multi-file working and returns it. The
    // count is 16-bit: past 32767 it overflows, which gives nothing and
    // leaves the count where it was (the multi-file tick goes on without).
    std::optional<qint16> countJob();

    Interpreter &interpreter() { return interpreter_; }
    MainWindowModel &mainWindow() { return window_; }

    // The host API's jobs and reports, taken between folder jobs.
    JobQueue &queue() { return queue_; }
    // Where every job is recorded; none until set (before start).
    void setJobHistory(JobHistory *history) { recorder_.setHistory(history); }
    const JobRecorder &recorder() const { return recorder_; }
    // What the operator is told once the resident bridge has started (the
    // job history's trouble); empty for nothing.
    void setStartupNotice(const QString &text) { startupNotice_ = text; }
    // Someone looks at the register's state from afar (the host API's
    // status): for a few seconds from now, while no job runs, the register
    // is asked twice a second whether it is there. Safe from any thread.
    void noteWatched();
    // How long the job history keeps a job.
    void setHistoryDays(int days) { historyDays_ = days; }
    // Told on the worker whenever a job's record changed; set before start.
    void setJobChangeListener(std::function<void(qint64 id)> listener) { recorder_.changed = std::move(listener); }
    // The job under way's progress, 0..100.
    int progressPercent() const;
    // Whether a report would run now, as from the menu: the register has
    // been found and the reports menu is enabled.
    bool reportsCanRun() const;

    // How job files are removed or set aside after their run.
    void setJobFileDisposal(JobFileDisposal &disposal) { disposal_ = &disposal; }

    // Exit statuses of a job that is not run: it ran before and its file
    // could not be removed then; it cannot be recorded (the journal or the
    // job folder cannot be written).
    static constexpr int kJobRanAlready = 6;
    static constexpr int kJobCannotBeRecorded = 7;

    bool jobRunning() const { return jobRunning_; }
    JobJournal &journal() { return journal_; }
    bool jobTimerActive() const { return jobTimer_.isActive(); }
    int jobTimerInterval() const { return jobTimer_.interval(); }
    bool searchTimerActive() const { return searchTimer_.isActive(); }
    int searchTries() const { return searchTries_; }

    const ParamSettings &settings() const { return settings_; }
    QString baud() const { return baud_; }
    bool autoStart() const { return autoStart_; }
    QString commandLine() const { return commandLine_; }
    QString lastMessage;
    QString messageCaption;

Q_SIGNALS:
    // Start-up is done in resident mode: the settings are read, the search
    // for the register runs.
    void started();
    // The program ends with this exit status.
    void programEnded(int status);
    // Front-end windows that the model does not describe.
    void aboutRequested();
    void settingsWindowRequested();
    void paymentTypesWindowRequested();

private:
    void fillLabels();
    std::optional<int> readStartupSettings();
    std::optional<int> runCommandLineJob();
    int refuseCommandLine();
    void unload();
    void terminate(int status);
    void showReady();
    void runReport(const QString &command, const QString &waitingText);
    void printTables(const QString &command);
    void askTableNumber();
    void clearRegisterError();
    void toggleDebugWindow();
    bool refreshSettings();
    void runSingleJob();
    bool runNextNumberedJob();
    QString jobFolder() const;
    bool jobFolderPresent();
    bool settled(const QString &path);
    void fileArrived();
    QString nextJobCandidate();
    bool readyNow(const QString &path);
    JobOutcome runJob(const QString &path, JobSource source, const QueuedJob *queued = nullptr);
    QString reportInterruptedJob(const std::optional<JournalEntry> &entry);
    bool runQueuedJob();
    // Runs one of the menu's reports; true when the register took it.
    bool runReportOfKind(JobKind kind);
    void runQueuedReport(const QueuedJob &job);
    void queuedWorkArrived();
    bool takeTurn();
    void presenceTick();
    void disposeOfJob(const QString &path, JobOutcome outcome, bool keep);
    QString whyJobsCannotBeRecorded(const QString &jobPath, bool kept) const;
    bool canRecordJob(const QString &jobPath, bool kept, const QString &divertedTo = {});
    void showRecordProblem(const QString &problem);
    void rememberUndisposed(const QString &path, const FileIdentity &identity, const QString &why);
    bool ranAlready(const QString &path);
    int refuseJobThatRan(const QString &path);
    void checkRecords();
    void endAfterJobIfAsked();
    void installJournal();
    void showReceiptNumber();
    void endProgramNow(int status);
    // The program is ending: no timer ticks again (and none is left running
    // when the bridge goes back to the main thread).
    void stopTimers();

    Operator &op_;
    Clock &clock_;
    DebugLog &log_;
    RegisterLink &link_;
    MainWindowModel &window_;
    QTimer jobTimer_;
    QTimer searchTimer_;
    QTimer presenceTimer_;
    std::atomic<qint64> watchedAtMs_ = -1;
    JobFolderWatch folderWatch_;
    bool folderPresent_ = true;
    ParamSettings settings_;
    QString baud_;
    QString commandLine_;
    bool autoStart_ = false;
    int searchTries_ = 0;
    bool unloaded_ = false;
    bool ended_ = false;
    std::atomic<bool> jobRunning_ = false;
    JobJournal journal_{QStringLiteral("merovan.journal")};
    JobFileDisposal ownDisposal_;
    JobFileDisposal *disposal_ = &ownDisposal_;
    QString recordProblem_; // shown on the status line until it is gone
    QString toldProblem_;   // the operator heard of it; not again until a job is taken
    qint16 jobCount_ = 0;
    JobProgress progress_;
    Interpreter interpreter_;
    JobQueue queue_;
    JobRecorder recorder_;
    QString startupNotice_;
    int historyDays_ = 90;
    bool queueTurn_ = false; // the next tick takes a queued job before the folder's
};

} // namespace merovan
