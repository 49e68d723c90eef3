#pragma once

#include "core/operator.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>

namespace merovan {

// The operator of merovand: no screen, so what the window would show goes
// to the service log. Each change of the main window's caption or status
// line is one line on standard output, as the window would paint it; each
// message box is one line on standard error, answered OK at once. Input
// boxes are cancelled; the register message window prints its texts.
//
// It lives beside the bridge on the worker thread, so its lines come in the
// order and the grouping in which the bridge writes the model; a repaint
// asked for by another thread (the end-after-job note) prints at once.
class ConsoleOperator final : public QObject, public Operator {
    Q_OBJECT
public:
    explicit ConsoleOperator(MainWindowModel &model);

    // Moves it to the bridge's worker. The design texts that the bridge set
    // while it was made were never painted by the window either: their
    // pending print is dropped, and start-up's first repaint shows the state.
    void runBeside(QThread &worker);

    int messageBox(const QString &text, int style, const QString &caption) override;
    std::optional<QString> inputBox(const QString &prompt) override;
    void displayRegisterMessage(const RegisterMessagePtr &window) override;
    void fatal(const QString &text) override;

Q_SIGNALS:
    // A status line was printed: the window's status line as painted.
    void statusShown(const QString &status);

private:
    void flush();

    QMutex mutex_;
    QString shownCaption_;
    QString shownStatus_;
    std::atomic<bool> flushQueued_ = false;
};

} // namespace merovan
