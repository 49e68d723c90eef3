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
    window_.setStatus(LastMessage);
    // A failed "KXCL" is followed by ticks that only count.
    if (link_.EcrErrorCode != 0) {
        ++searchTries_;
        return;
    }

    window_.setEnabled(QStringLiteral("reports"), false);
    window_.setEnabled(QStringLiteral("Command1"), false);
    window_.setStatus(state::searchingStatus());
    window_.repaint();

    link_.SendCommand(QStringLiteral("KXCL"), link_.EcrErrorCode, LastMessage, false);
    if (link_.EcrErrorCode != 0) {
        ++searchTries_;
        return;
    }

    showReady();
    window_.setLabel(QStringLiteral("txtVersion"), getVersion());
    timer2_.stop();
    // A job that a crash cut short is reported before any job is taken.
    recoverInterruptedJob();
    window_.setEnabled(QStringLiteral("reports"), true);
    if (autoStart_) {
        startPrinting();
        if (window_.notificationAreaAvailable())
            window_.setVisible(false);
        else
            window_.setMinimized(true);
    }
}

QString Bridge::getVersion()
{
    qint16 result = 0;
    QString reply;
    link_.SendCommand(QStringLiteral("KXVER"), result, reply, true);
    return result == 0 ? reply : QStringLiteral("---");
}

void Bridge::startPrinting()
{
    if (commandLine_.isEmpty())
        timer1_.setInterval(1000);
    timer1_.start();
    folderWatch_.watch(jobFolder());
    window_.setEnabled(QStringLiteral("Command1"), false);
    window_.setEnabled(QStringLiteral("Command2"), true);
    if (commandLine_.endsWith(QLatin1Char('`')))
        op_.startDetached(QStringLiteral("cop2fis.bat"), {});
    window_.setStatus(state::waitingStatus());
    window_.setCaption(state::waitingCaption());
    window_.setEnabled(QStringLiteral("reports"), false);
    window_.setEnabled(QStringLiteral("Settings"), false);
}

void Bridge::stopPrinting()
{
    timer1_.stop();
    folderWatch_.stop();
    window_.setEnabled(QStringLiteral("Command2"), false);
    window_.setEnabled(QStringLiteral("Command1"), true);
    window_.setStatus(state::stoppedStatus());
    window_.setCaption(state::stoppedCaption());
    window_.setEnabled(QStringLiteral("reports"), true);
    window_.setEnabled(QStringLiteral("Settings"), true);
}

} // namespace merovan
