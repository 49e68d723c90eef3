#pragma once

#include "core/main_window_model.h"
#include "core/operator.h"
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
    void showRegisterMessage(RegisterMessage &window) override;
    void letEventsRun() override;
    void fatal(const QString &text) override { fatals << text; }
    void showBanner(const QStringList &lines) override { banner = lines; }
    void startDetached(const QString &program, const QStringList &arguments) override
    {
        started << (QStringList{program} + arguments).join(QLatin1Char(' '));
    }

    MainWindowModel model;
    std::vector<Box> boxes;
    QStringList prompts;
    std::deque<std::optional<QString>> inputAnswers;
    std::vector<RegisterMessage *> shownWindows;
    QStringList fatals;
    QStringList banner;
    QStringList started;
    int eventRuns = 0;
    // Runs at each letEventsRun (an operator click in the middle of a wait).
    std::function<void()> onEvents;
};

} // namespace merovan::test
