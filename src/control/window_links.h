#pragma once

namespace merovan {

class Bridge;
class MainWindowModel;
class PaymentTypesForm;
class SettingsForm;

// While the settings window is open the bridge does not search for the
// register; a finished save ends the program, since the running bridge
// does not take new settings over.
void linkSettingsForm(SettingsForm &form, Bridge &bridge);

// The main window is disabled from the payment-types window's fill until
// that window closes.
void linkPaymentTypesForm(PaymentTypesForm &form, MainWindowModel &window);

} // namespace merovan
