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
    // as long as it shows it. The main window model learns of it too, for
    // those who look from afar (the host API).
    void showRegisterMessage(const RegisterMessagePtr &window);

    // A message that must be read whole (a missing settings file naming its
    // folder); not cut to the message box's 40 characters.
    virtual void fatal(const QString &text) = 0;

    // A refused command line: the closing banner on standard output and,
    // on standard error, one line that says what was wrong and points at
    // --help.
    virtual void commandLineRefused(const QStringList &banner, const QString &problem);

    // Starts another program without waiting for it ("notepad" with the
    // help text, a "cop2fis.bat" of the host).
    virtual void startDetached(const QString &program, const QStringList &arguments);

protected:
    // How this front end shows the register message window.
    virtual void displayRegisterMessage(const RegisterMessagePtr &window) = 0;

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

// A message that names a file and its folder: the whole text, with the
// message box's style and caption (never fitted to 40 characters, which
// would cut the path off).
int showWholeMessage(Operator &op, const QString &text, int style, const QString &caption);

// " NAME στον φάκελο FOLDER" for a file's path, as messages about a data
// file that is missing or cannot be read or written end.
QString inFolder(const QString &path);

} // namespace merovan
