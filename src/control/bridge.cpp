#include "control/bridge.h"

#include "control/command_line.h"
#include "control/state_texts.h"
#include "core/main_window_model.h"
#include "core/operator.h"
#include "device/register_link.h"
#include "interpreter/keywords.h"
#include "diagnostics/debug_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace merovan {

namespace {

// How often command-line mode asks for the register before it gives up and
// leaves the job file for the host to retry (each try is up to 28 s).
constexpr int kCommandLineSearchTries = 10;

// Command-line mode, stopped by a request before the job was sent.
constexpr int kStoppedBeforeJob = 5;

} // namespace

Bridge::Bridge(Operator &op, Clock &clock, DebugLog &log, RegisterLink &link, QObject *parent)
    : QObject(parent), op_(op), clock_(clock), log_(log), link_(link), window_(op.mainWindow()), jobTimer_(this),
      searchTimer_(this), presenceTimer_(this), folderWatch_(this), progress_(op), interpreter_(link, op, clock, log, lastMessage, progress_),
      recorder_(nullptr, clock)
{
    installKeywords(interpreter_);
    installJournal();
    interpreter_.zReport = [this] { zReport(); };
    link_.resultLineWritten = [this](const QString &line) { recorder_.lineWritten(line); };
    connect(&queue_, &JobQueue::added, this, &Bridge::queuedWorkArrived);
    connect(&presenceTimer_, &QTimer::timeout, this, &Bridge::presenceTick);
    presenceTimer_.setInterval(500);
    connect(&jobTimer_, &QTimer::timeout, this, &Bridge::jobTick);
    // A job renamed into the folder, or closed there after writing, is
    // taken at once; the job timer remains for folders without notices.
    connect(&folderWatch_, &JobFolderWatch::fileArrived, this, &Bridge::fileArrived);
    jobTimer_.setInterval(3000);
    connect(&searchTimer_, &QTimer::timeout, this, &Bridge::searchTick);
    connect(&log_, &DebugLog::activeChanged, this,
            [this](bool on) { window_.setChecked(WindowControl::DebugWindow, on); });

    for (const WindowControl label : {WindowControl::ConnectionLabel, WindowControl::BaudLabel,
                                      WindowControl::JobFileLabel, WindowControl::DescriptionLabel,
                                      WindowControl::CommentsLabel, WindowControl::CurrencyLabel})
        window_.setLabel(label, QStringLiteral("Label8"));
    window_.setLabel(WindowControl::RegisterLabel, QStringLiteral("..."));
    window_.setLabel(WindowControl::VersionLabel, QStringLiteral("---"));
    window_.setStatus(QStringLiteral("status"));
    window_.setDefaultButton(WindowControl::StartButton);
    window_.setEnabled(WindowControl::ZReportsMenu, false);
    window_.setEnabled(WindowControl::TrayZReport, false);
}

Bridge::~Bridge() = default;

std::optional<int> Bridge::start(const QString &commandLine)
{
    commandLine_ = commandLine;
    if (commandLine_.isEmpty()) {
        if (auto status = readStartupSettings())
            return status;
    } else {
        CommandLineSettings given;
        if (!settingsFromCommandLine(splitCommandLine(commandLine_), given))
            return refuseCommandLine();
        link_.connection().connectionText = given.connectionText;
        baud_ = given.baud;
        settings_ = given.settings;
    }

    fillLabels();

    window_.setCaption(state::searchingCaption());
    window_.setStatus(state::searchingStatus());
    window_.repaint();
    window_.setVisible(true);

    searchTimer_.setInterval(1000);
    searchTimer_.start();
    window_.setEnabled(WindowControl::StartButton, false);
    window_.setEnabled(WindowControl::StopButton, false);
    window_.setTrayIcon(true);
    jobTimer_.stop();

    if (!commandLine_.isEmpty())
        return runCommandLineJob();
    // The job history's trouble (set aside, or none to be had) is the
    // resident operator's to know; a single job from a host goes on unasked.
    if (!startupNotice_.isEmpty())
        op_.fatal(startupNotice_);
    checkRecords();
    presenceTimer_.start();
    Q_EMIT started();
    return std::nullopt;
}

std::optional<int> Bridge::readStartupSettings()
{
    ParamReading reading;
    reading.connectionText = link_.connection().connectionText;
    if (!readParamFile(kParamFile, ParamReader::Startup, reading)) {
        op_.fatal(QStringLiteral("Δεν είναι δυνατή η ανάγνωση του αρχείου ρυθμίσεων \"%1\" στον φάκελο %2")
                      .arg(kParamFile, QDir::currentPath()));
        return 2;
    }
    settings_ = reading.settings;
    link_.connection().connectionText = reading.connectionText;
    baud_ = reading.baud;
    autoStart_ = reading.autoStart;
    return std::nullopt;
}

void Bridge::fillLabels()
{
    window_.setLabel(WindowControl::ConnectionLabel, link_.connection().connectionText);
    window_.setLabel(WindowControl::BaudLabel, baud_);
    window_.setLabel(WindowControl::JobFileLabel, settings_.file + QStringLiteral(" @Path : ") + settings_.location);
    window_.setLabel(WindowControl::VersionLabel, QStringLiteral("---"));
    window_.setLabel(WindowControl::DescriptionLabel, settings_.printDescription == SettingSwitch::On
                                                    ? QStringLiteral("Να Εκτυπώνεται")
                                                    : QStringLiteral("Να ΜΗΝ Εκτυπώνεται"));
    // The first letter of "Nαι" is a Latin N.
    window_.setLabel(WindowControl::CommentsLabel,
                     settings_.comments == SettingSwitch::Off ? QStringLiteral("Οχι") : QStringLiteral("Nαι"));
    if (settings_.currency == CurrencyRule::AsInJob || settings_.currency == CurrencyRule::Main)
        window_.setLabel(WindowControl::CurrencyLabel, QStringLiteral("Κύριο Νόμισμα"));
    else if (settings_.currency == CurrencyRule::Secondary)
        window_.setLabel(WindowControl::CurrencyLabel, QStringLiteral("Δευτερεύων Νομισμα"));
}

std::optional<int> Bridge::runCommandLineJob()
{
    // The job runs once, after the register is found, on this thread; no
    // job timer runs beside it.
    searchTimer_.stop();
    const auto give = [this](int status) {
        unload();
        link_.connection().close(link_.connection().connectionText);
        return status;
    };
    const auto jobMissing = [this, &give] {
        op_.fatal(QStringLiteral("Δεν βρέθηκε το αρχείο εργασίας %1").arg(QFileInfo(settings_.file).absoluteFilePath()));
        return give(4);
    };
    if (!QFileInfo(settings_.file).isFile())
        return jobMissing();

    // The register is asked again and again, as the operator would wait for
    // it; a bound keeps a host that launched us from hanging for ever.
    int tries = 0;
    {
        const RegisterLink::QueriesGiveWayToStops giveWay(link_);
        do {
            lastMessage = link_.sendCommand(QStringLiteral("KXCL"), {.previousText = lastMessage}).text;
        } while (link_.lastRegisterError() != 0 && ++tries < kCommandLineSearchTries && !link_.stops().requested());
    }
    if (link_.stops().requested())
        return give(kStoppedBeforeJob);
    if (link_.lastRegisterError() != 0) {
        op_.fatal(QStringLiteral("Η ταμειακή δεν απαντά. Η εργασία %1 δεν εκτελέστηκε.").arg(settings_.file));
        return give(3);
    }
    showReady();

    // The same job handed again after a crash is reported, not run twice.
    const QString recovered = recoverInterruptedJob();
    if (!recovered.isEmpty() && recovered == QFileInfo(settings_.file).absoluteFilePath())
        return give(1);
    if (!QFileInfo(settings_.file).isFile())
        return jobMissing();
    if (link_.stops().requested())
        return give(kStoppedBeforeJob);

    if (ranAlready(settings_.file))
        return give(refuseJobThatRan(settings_.file));
    if (!canRecordJob(settings_.file, false))
        return give(kJobCannotBeRecorded);
    const JobOutcome outcome = runJob(settings_.file, JobSource::CommandLine);
    disposeOfJob(settings_.file, outcome, false);
    return give(outcome == JobOutcome::NotStarted ? kJobCannotBeRecorded : 0);
}

void Bridge::showReady()
{
    window_.setStatus(state::readyStatus());
    window_.repaint();
    window_.setCaption(state::readyCaption());
    window_.setEnabled(WindowControl::StartButton, true);
    window_.setDefaultButton(WindowControl::StartButton);
}

int Bridge::refuseCommandLine()
{
    const QString text = QStringLiteral("Ευχαριστουμε που χρησιμοποιησατε την εφαρμογη Merovan");
    const QString rule(59, QChar(0x2550));
    op_.commandLineRefused({QString(), QChar(0x2554) + rule + QChar(0x2557),
                            QChar(0x2551) + QStringLiteral("   ") + text + QStringLiteral("   ") + QChar(0x2551),
                            QChar(0x255A) + rule + QChar(0x255D)},
                           commandLineProblem(commandLine_));
    // A refused command line: the host learns it from the status.
    return 1;
}

void Bridge::orderlyEnd()
{
    if (ended_)
        return;
    link_.connection().close(link_.connection().connectionText);
    unload();
    terminate(0);
}

void Bridge::endWith(int status)
{
    if (ended_)
        return;
    unload();
    terminate(status);
}

void Bridge::endAfterSettingsSaved()
{
    unload();
    terminate(0);
}

void Bridge::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    if (log_.active())
        log_.setActive(false);
    window_.setTrayIcon(false);
    window_.setVisible(false);
}

void Bridge::stopTimers()
{
    ended_ = true;
    jobTimer_.stop();
    searchTimer_.stop();
    presenceTimer_.stop();
}

void Bridge::terminate(int status)
{
    stopTimers();
    link_.connection().close(link_.connection().connectionText);
    Q_EMIT programEnded(status);
}

} // namespace merovan
