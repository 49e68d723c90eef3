#include "control/desktop.h"

#include "control/about_window.h"
#include "control/bridge.h"
#include "control/desktop_look.h"
#include "control/main_window.h"
#include "control/tray_icon.h"
#include "control/window_links.h"
#include "core/main_window_model.h"
#include "core/operator.h"
#include "payments/payment_types_form.h"
#include "payments/payment_types_window.h"
#include "settings/settings_form.h"
#include "settings/settings_window.h"
#include "widgets/on_screen.h"

#include <QSystemTrayIcon>

namespace merovan {

namespace {

// Brings an open window to the front; false when there is none (a closed
// one may wait for its deletion).
bool bringToFront(QWidget *window)
{
    if (!window || !window->isVisible())
        return false;
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

// The payment-types window opens 250 twips right of and 500 twips below
// the main window's corner, at 96 dots per inch.
const QPoint kPaymentTypesOffset(17, 33);

} // namespace

Desktop::Desktop(Operator &op, Bridge &bridge, DebugLog &log)
    : op_(op), bridge_(bridge), window_(std::make_unique<MainWindow>(op.mainWindow(), bridge, log)),
      tray_(op.mainWindow(), bridge),
      trayIcon_(std::make_unique<TrayIcon>(tray_, op.mainWindow(), programIcon()))
{
    op.mainWindow().setNotificationAreaAvailable(QSystemTrayIcon::isSystemTrayAvailable());
    connect(window_.get(), &MainWindow::mouseDragged, &tray_, &TrayModel::mouseButton);
    connect(&bridge_, &Bridge::settingsWindowRequested, this, &Desktop::openSettings);
    connect(&bridge_, &Bridge::paymentTypesWindowRequested, this, &Desktop::openPaymentTypes);
    connect(&bridge_, &Bridge::aboutRequested, this, &Desktop::openAbout);
}

Desktop::~Desktop()
{
    delete settings_;
    delete paymentTypes_;
    delete about_;
}

void Desktop::openSettings()
{
    if (bringToFront(settings_))
        return;
    auto *form = new SettingsForm(op_, clock_);
    auto *window = new SettingsWindow(*form);
    form->setParent(window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    linkSettingsForm(*form, bridge_);
    form->open();
    showOnScreen(window, window->sizeHint(), {}, window_->screen());
    settings_ = window;
}

void Desktop::openPaymentTypes()
{
    if (bringToFront(paymentTypes_))
        return;
    auto *form = new PaymentTypesForm(op_);
    auto *window = new PaymentTypesWindow(*form);
    form->setParent(window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    linkPaymentTypesForm(*form, op_.mainWindow());
    showOnScreen(window, window->sizeHint(), window_->pos() + kPaymentTypesOffset, window_->screen());
    paymentTypes_ = window;
    form->reload();
}

void Desktop::openAbout()
{
    if (bringToFront(about_))
        return;
    about_ = new AboutWindow;
    showOnScreen(about_, about_->sizeHint(), {}, window_->screen());
}

} // namespace merovan
