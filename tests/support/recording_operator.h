#pragma once

#include "core/main_window_model.h"
#include "core/operator.h"
#include "core/register_message.h"
#include "qt_printers.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace merovan::test {

// Records what the operator would have seen and answers from a script.
class RecordingOperator final : public Operator {
public:
    struct Box {
        QString text;
        int style;
        QString caption;
    };

    RecordingOperator() : Operator(model) {}

    int messageBox(const QString &text, int style, const QString &caption) override;
    std::optional<QString> inputBox(const QString &prompt) override;
    void displayRegisterMessage(const RegisterMessagePtr &window) override;
    void fatal(const QString &text) override { fatals << text; }
    void commandLineRefused(const QStringList &lines, const QString &why) override
    {
        banner = lines;
        problem = why;
    }
    void startDetached(const QString &program, const QStringList &arguments) override
    {
        started << (QStringList{program} + arguments).join(QLatin1Char(' '));
    }

    MainWindowModel model;
    std::vector<Box> boxes;
    QStringList prompts;
    std::deque<std::optional<QString>> inputAnswers;
    std::vector<RegisterMessagePtr> shownWindows;
    QStringList fatals;
    QStringList banner;
    QString problem;
    QStringList started;
    // Runs when a register message window is shown (the operator's hand on
    // it, for instance closing it).
    std::function<void(const RegisterMessagePtr &)> onShown;
};

} // namespace merovan::test
