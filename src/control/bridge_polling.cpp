#include "control/bridge.h"
#include "control/state_texts.h"
#include "core/main_window_model.h"
#include "core/operator.h"
#include "device/register_link.h"

namespace merovan {

void Bridge::searchTick()
{
    // Three counted failures leave the window off-line for the rest of the run.
    if (searchTries_ >= 3) {
        window_.setStatus(state::offlineStatus());
        window_.repaint();
        window_.setCaption(state::offlineCaption());
        return;
    }
    window_.setStatus(lastMessage);
    // A failed "KXCL" is followed by ticks that only count.
    if (link_.lastRegisterError() != 0) {
        ++searchTries_;
        return;
    }

    window_.setEnabled(WindowControl::ReportsMenu, false);
    window_.setEnabled(WindowControl::StartButton, false);
    window_.setStatus(state::searchingStatus());
    window_.repaint();

    // A stop request ends the search within a second, even when the
    // register does not answer.
    {
        const RegisterLink::QueriesGiveWayToStops giveWay(link_);
        lastMessage = link_.sendCommand(QStringLiteral("KXCL"), {.previousText = lastMessage}).text;
        if (link_.lastRegisterError() != 0) {
            ++searchTries_;
            return;
        }
        showReady();
        window_.setLabel(WindowControl::VersionLabel, readFirmwareVersion());
    }
    searchTimer_.stop();
    // A job that a crash cut short is reported before any job is taken.
    recoverInterruptedJob();
    window_.setEnabled(WindowControl::ReportsMenu, true);
    if (autoStart_) {
        startPrinting();
        if (window_.notificationAreaAvailable())
            window_.setVisible(false);
        else
            window_.setMinimized(true);
    }
}

QString Bridge::readFirmwareVersion()
{
    const CommandResult version = link_.sendCommand(QStringLiteral("KXVER"), {.silent = true});
    return version.accepted() ? version.text : QStringLiteral("---");
}

void Bridge::startPrinting()
{
    if (commandLine_.isEmpty())
        jobTimer_.setInterval(1000);
    jobTimer_.start();
    folderWatch_.watch(jobFolder());
    window_.setEnabled(WindowControl::StartButton, false);
    window_.setEnabled(WindowControl::StopButton, true);
    if (commandLine_.endsWith(QLatin1Char('`')))
        op_.startDetached(QStringLiteral("cop2fis.bat"), {});
    window_.setStatus(recordProblem_.isEmpty() ? state::waitingStatus() : recordProblem_);
    window_.setCaption(state::waitingCaption());
    window_.setEnabled(WindowControl::ReportsMenu, false);
    window_.setEnabled(WindowControl::OptionsMenu, false);
}

void Bridge::stopPrinting()
{
    jobTimer_.stop();
    folderWatch_.stop();
    window_.setEnabled(WindowControl::StopButton, false);
    window_.setEnabled(WindowControl::StartButton, true);
    window_.setStatus(state::stoppedStatus());
    window_.setCaption(state::stoppedCaption());
    window_.setEnabled(WindowControl::ReportsMenu, true);
    window_.setEnabled(WindowControl::OptionsMenu, true);
}

} // namespace merovan
