#include "control/tray_model.h"

#include "control/bridge.h"
#include "core/main_window_model.h"

namespace merovan {

TrayModel::TrayModel(MainWindowModel &window, Bridge &bridge, QObject *parent)
    : QObject(parent), window_(window), bridge_(bridge)
{
    upkeep_.setInterval(kUpkeepMs);
    connect(&upkeep_, &QTimer::timeout, this, &TrayModel::upkeep);
    connect(&window_, &MainWindowModel::trayIconChanged, this, &TrayModel::iconChanged);
    iconChanged(window_.hasTrayIcon());
}

void TrayModel::iconChanged(bool present)
{
    if (!present) {
        upkeep_.stop();
        return;
    }
    upkeep(); // the icon is added with the caption of that moment
    upkeep_.start();
}

void TrayModel::upkeep()
{
    const QString tip = window_.caption().left(kTipLength);
    if (tip != toolTip_) {
        toolTip_ = tip;
        Q_EMIT toolTipChanged(tip);
    }
    // While neither button can be pressed (searching, off-line) the menu
    // claims neither state.
    const bool canStart = window_.isEnabled(WindowControl::StartButton);
    const bool canStop = window_.isEnabled(WindowControl::StopButton);
    const bool settled = canStart || canStop;
    window_.setChecked(WindowControl::TrayStartPrinting, settled && !canStart);
    window_.setChecked(WindowControl::TrayStopPrinting, settled && !canStop);
}

void TrayModel::mouseButton(int button)
{
    if (button == 1 || button == 2)
        Q_EMIT menuRequested();
}

void TrayModel::trigger(WindowControl control)
{
    if (control == WindowControl::TrayShow)
        window_.setVisible(true);
    else if (control == WindowControl::TrayHide)
        window_.setVisible(false);
    else if (control == WindowControl::TrayStartPrinting)
        bridge_.trigger(WindowControl::StartButton);
    else if (control == WindowControl::TrayStopPrinting)
        bridge_.trigger(WindowControl::StopButton);
}

int mouseButtonValue(Qt::MouseButtons buttons)
{
    int value = 0;
    if (buttons & Qt::LeftButton)
        value |= 1;
    if (buttons & Qt::RightButton)
        value |= 2;
    if (buttons & Qt::MiddleButton)
        value |= 4;
    return value;
}

} // namespace merovan
