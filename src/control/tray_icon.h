#pragma once

#include "core/window_control.h"

#include <QHash>
#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

class QAction;
class QMenu;

namespace merovan {

class MainWindowModel;
class TrayModel;

// Renders a TrayModel as a notification-area icon with the "sysTray Menu"
// pop-up. Where the desktop has no notification area the icon is simply
// not shown; the menu still opens from the main window.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(TrayModel &model, MainWindowModel &window, const QIcon &icon, QObject *parent = nullptr);
    ~TrayIcon() override;

    QMenu *menu() const { return menu_.get(); }
    QAction *action(WindowControl control) const { return actions_.value(control); }

private:
    void buildMenu();
    void bindModel();

    TrayModel &model_;
    MainWindowModel &window_;
    QSystemTrayIcon icon_;
    std::unique_ptr<QMenu> menu_;
    QHash<WindowControl, QAction *> actions_;
};

} // namespace merovan
