#pragma once

#include "core/window_control.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QCloseEvent;
class QMouseEvent;
class QPushButton;

namespace merovan {

class Bridge;
class DebugLog;
class MainWindowModel;

// The main window "Merovan": renders the main window model and forwards
// buttons and menu items to the bridge. Its title bar offers no
// Close and no Size: the program ends through its own menu.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(MainWindowModel &model, Bridge &bridge, DebugLog &log);

    QAction *action(WindowControl control) const { return actions_.value(control); }
    QLabel *labelWidget(WindowControl control) const { return labels_.value(control); }

Q_SIGNALS:
    // The mouse moved over the window with buttons held, as a button value
    // (left 1, right 2, middle 4, summed); the tray menu decides what to do.
    void mouseDragged(int button);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    // The title bar offers no close; a close from elsewhere (the window
    // manager, a session ending) is a stop request like the menu's end.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    QWidget *buildBody();
    void openDebugWindow(bool on);
    void bindModel();

    MainWindowModel &model_;
    Bridge &bridge_;
    DebugLog &log_;
    QLineEdit *status_ = nullptr;
    QPushButton *start_ = nullptr;
    QPushButton *stop_ = nullptr;
    QHash<WindowControl, QAction *> actions_;
    QHash<WindowControl, QMenu *> menus_;
    QHash<WindowControl, QLabel *> labels_;
};

} // namespace merovan
