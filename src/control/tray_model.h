#pragma once

#include "core/window_control.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace merovan {

class Bridge;
class MainWindowModel;

// The notification-area icon and its pop-up menu (mSysTray), without a
// widget. The tooltip carries the main window's caption; the check marks of
// TrayStartPrinting and TrayStopPrinting live in the main window model
// beside the other menu items and follow the Start and Stop buttons. Both
// are brought up to date by the upkeep tick, once a second for as long as
// the icon exists, so a state change made inside a long job shows within a
// second.
class TrayModel : public QObject {
    Q_OBJECT
public:
    static constexpr int kUpkeepMs = 1000;
    // The platform's tip field holds 64 characters, its terminator included.
    static constexpr int kTipLength = 63;

    TrayModel(MainWindowModel &window, Bridge &bridge, QObject *parent = nullptr);

    QString toolTip() const { return toolTip_; }
    bool upkeepRunning() const { return upkeep_.isActive(); }

    // One upkeep tick: tooltip from the caption, check marks from the buttons.
    void upkeep();

    // A mouse notification from the icon or the main window, as a button
    // value (left 1, right 2, middle 4, summed when several are held). Only
    // the left or the right button alone opens the menu.
    void mouseButton(int button);

    // A tray menu item (TrayShow, TrayHide, TrayStartPrinting,
    // TrayStopPrinting); Start and Stop go through the buttons, so a
    // disabled button does nothing.
    void trigger(WindowControl control);

Q_SIGNALS:
    void toolTipChanged(const QString &text);
    void menuRequested();

private:
    void iconChanged(bool present);

    MainWindowModel &window_;
    Bridge &bridge_;
    QTimer upkeep_;
    QString toolTip_;
};

// The button value of the mouse buttons held.
int mouseButtonValue(Qt::MouseButtons buttons);

} // namespace merovan
