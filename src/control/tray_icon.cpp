#include "control/tray_icon.h"

#include "control/menu_tree.h"
#include "control/tray_model.h"
#include "core/main_window_model.h"

#include <QCursor>
#include <QMenu>

namespace merovan {

namespace {

// The button value of a click on the icon: left 1, right 2, middle 4; a
// double click adds nothing to the click that came before it.
int buttonValue(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return 1;
    case QSystemTrayIcon::Context:
        return 2;
    case QSystemTrayIcon::MiddleClick:
        return 4;
    default:
        return 0;
    }
}

} // namespace

TrayIcon::TrayIcon(TrayModel &model, MainWindowModel &window, const QIcon &icon, QObject *parent)
    : QObject(parent), model_(model), window_(window), icon_(icon), menu_(std::make_unique<QMenu>())
{
    menu_->setTitle(QStringLiteral("sysTray Menu"));
    buildMenu();
    bindModel();
}

TrayIcon::~TrayIcon() { icon_.hide(); }

void TrayIcon::buildMenu()
{
    for (const MenuEntry &entry : trayMenu()) {
        if (!entry.control) {
            menu_->addSeparator();
            continue;
        }
        const WindowControl control = *entry.control;
        QAction *action = menu_->addAction(entry.caption);
        action->setObjectName(merovan::objectName(control));
        action->setEnabled(entry.enabledAtStart && window_.isEnabled(control));
        action->setCheckable(control == WindowControl::TrayStartPrinting ||
                             control == WindowControl::TrayStopPrinting);
        action->setChecked(window_.isChecked(control));
        // A click toggles a checkable action by itself; the mark shows the
        // model's state, which a refused click leaves as it was.
        connect(action, &QAction::triggered, &model_, [this, control, action] {
            model_.trigger(control);
            action->setChecked(window_.isChecked(control));
        });
        actions_.insert(control, action);
    }
}

void TrayIcon::bindModel()
{
    const auto showIcon = [this](bool present) {
        icon_.setVisible(present && QSystemTrayIcon::isSystemTrayAvailable());
    };
    connect(&window_, &MainWindowModel::trayIconChanged, this, showIcon);
    connect(&window_, &MainWindowModel::checkedChanged, this, [this](WindowControl control, bool on) {
        if (QAction *a = actions_.value(control))
            a->setChecked(on);
    });
    connect(&window_, &MainWindowModel::enabledChanged, this, [this](WindowControl control, bool on) {
        if (QAction *a = actions_.value(control))
            a->setEnabled(on);
    });
    connect(&model_, &TrayModel::toolTipChanged, &icon_, &QSystemTrayIcon::setToolTip);
    connect(&model_, &TrayModel::menuRequested, this, [this] { menu_->popup(QCursor::pos()); });
    connect(&icon_, &QSystemTrayIcon::activated, &model_,
            [this](QSystemTrayIcon::ActivationReason reason) { model_.mouseButton(buttonValue(reason)); });

    icon_.setToolTip(model_.toolTip());
    showIcon(window_.hasTrayIcon());
}

} // namespace merovan
