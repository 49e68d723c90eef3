#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace merovan {

class MainWindowModel;
class RegisterMessage;
using RegisterMessagePtr = std::shared_ptr<RegisterMessage>;

// Message-box styles; the icon bits are kept as the operator sees them.
enum MessageStyle : int {
    MsgOkOnly = 0,
    MsgCritical = 16,
    MsgQuestion = 32,
    MsgExclamation = 48,
    MsgInformation = 64,
    MsgSystemModal = 4096,
};

// What the person at the screen sees and does. merovan implements it with
// widgets, merovand with standard output and standard error, tests with a
// recorder. The main window itself is a model that each front end renders.
//
// The worker thread that runs jobs calls it; an implementation that needs
// its window thread (a message box, the input box) asks that thread and
// waits for the answer, so the job never runs window events itself.
class Operator {
public:
    explicit Operator(MainWindowModel &mainWindow) : mainWindow_(mainWindow) {}
    virtual ~Operator() = default;

    MainWindowModel &mainWindow() { return mainWindow_; }

    // Shows a message box and returns the button pressed (1 = OK). The text
    // arrives already fitted by showMessage.
    virtual int messageBox(const QString &text, int style, const QString &caption) = 0;

    // An input box; nullopt when the operator cancels.
    virtual std::optional<QString> inputBox(const QString &prompt) = 0;

    // Shows the register message window without blocking; it stays until
    // the model is closed. The front end keeps its share of the model for
    // as long as it shows it.
    virtual void showRegisterMessage(const RegisterMessagePtr &window) = 0;

    // A message that must be read whole (a missing settings file naming its
    // folder); not cut to the message box's 40 characters.
    virtual void fatal(const QString &text) = 0;

    // The closing banner of a refused command line.
    virtual void showBanner(const QStringList &lines) = 0;

    // Starts another program without waiting for it ("notepad" with the
    // help text, a "cop2fis.bat" of the host).
    virtual void startDetached(const QString &program, const QStringList &arguments);

private:
    MainWindowModel &mainWindow_;
};

// The program's one message-box routine: the text fitted to exactly 40
// characters (padded or cut), caption "Merovan4_Vyd" when the caller gives
// none (the caller's variable receives it), system-modal.
QString fitMessageText(const QString &text);

// A plain message box: the whole text, the program's name as its caption.
int PlainMessage(Operator &op, const QString &text, int style);
int showMessage(Operator &op, const QString &text, int style, QString &caption);
int showMessage(Operator &op, const QString &text, int style);

} // namespace merovan
