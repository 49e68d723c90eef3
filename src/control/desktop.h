#pragma once

#include "control/tray_model.h"
#include "core/clock.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;

namespace merovan {

class Bridge;
class DebugLog;
class MainWindow;
class Operator;
class TrayIcon;

// The desktop front end of the bridge: the main window, the notification-
// area icon, and the windows the bridge asks for (settings, payment types,
// about). Each of those is made when asked for and deleted when it closes;
// asking again while it is open brings it to the front.
class Desktop : public QObject {
    Q_OBJECT
public:
    Desktop(Operator &op, Bridge &bridge, DebugLog &log);
    ~Desktop() override;

    MainWindow &mainWindow() { return *window_; }
    TrayModel &trayModel() { return tray_; }
    TrayIcon &trayIcon() { return *trayIcon_; }

    void openSettings();
    void openPaymentTypes();
    void openAbout();

private:
    Operator &op_;
    Bridge &bridge_;
    SystemClock clock_;
    std::unique_ptr<MainWindow> window_;
    TrayModel tray_;
    std::unique_ptr<TrayIcon> trayIcon_;
    QPointer<QWidget> settings_;
    QPointer<QWidget> paymentTypes_;
    QPointer<QWidget> about_;
};

} // namespace merovan
