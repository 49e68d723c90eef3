#pragma once

#include "core/operator.h"

#include <functional>

namespace merovan {

// The operator of a dry run: nobody is at the screen, so every message box,
// input box and register message window becomes one line of the report;
// boxes are answered OK, input boxes cancelled, nothing is started.
class CheckOperator final : public Operator {
public:
    CheckOperator(MainWindowModel &model, std::function<void(const QString &)> note)
        : Operator(model), note_(std::move(note))
    {
    }

    int messageBox(const QString &text, int style, const QString &caption) override;
    std::optional<QString> inputBox(const QString &prompt) override;
    void displayRegisterMessage(const RegisterMessagePtr &window) override;
    void fatal(const QString &text) override;
    void commandLineRefused(const QStringList &, const QString &) override {}
    void startDetached(const QString &program, const QStringList &arguments) override;

private:
    std::function<void(const QString &)> note_;
};

} // namespace merovan
