#include "control/window_links.h"

#include "control/bridge.h"
#include "core/main_window_model.h"
#include "payments/payment_types_form.h"
#include "settings/settings_form.h"

namespace merovan {

void linkSettingsForm(SettingsForm &form, Bridge &bridge)
{
    QObject::connect(&form, &SettingsForm::opened, &bridge, &Bridge::holdSearch);
    QObject::connect(&form, &SettingsForm::closed, &bridge, &Bridge::resumeSearch);
    QObject::connect(&form, &SettingsForm::saved, &bridge, &Bridge::endAfterSettingsSaved);
}

void linkPaymentTypesForm(PaymentTypesForm &form, MainWindowModel &window)
{
    QObject::connect(&form, &PaymentTypesForm::opened, &window,
                     [&window] { window.setEnabled(WindowControl::MainWindow, false); });
    QObject::connect(&form, &PaymentTypesForm::closed, &window,
                     [&window] { window.setEnabled(WindowControl::MainWindow, true); });
}

} // namespace merovan
