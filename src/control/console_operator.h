#pragma once

#include "core/operator.h"

#include <QObject>
#include <QString>

namespace merovan {

// The operator of merovand: no screen, so what the window would show goes
// to the service log. Each change of the main window's caption or status
// line is one line on standard output, as the window would paint it; each
// message box is one line on standard error, answered OK at once. Input
// boxes are cancelled; the register message window prints its texts.
class ConsoleOperator final : public QObject, public Operator {
    Q_OBJECT
public:
    explicit ConsoleOperator(MainWindowModel &model);

    int messageBox(const QString &text, int style, const QString &caption) override;
    std::optional<QString> inputBox(const QString &prompt) override;
    void showRegisterMessage(RegisterMessage &window) override;
    void letEventsRun() override;
    void fatal(const QString &text) override;
    void showBanner(const QStringList &lines) override;

private:
    void flush();

    QString shownCaption_;
    QString shownStatus_;
    bool flushQueued_ = false;
};

} // namespace merovan
