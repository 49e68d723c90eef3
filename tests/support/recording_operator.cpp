#include "recording_operator.h"

namespace merovan::test {

int RecordingOperator::messageBox(const QString &text, int style, const QString &caption)
{
    boxes.push_back({text, style, caption});
    return 1;
}

std::optional<QString> RecordingOperator::inputBox(const QString &prompt)
{
    prompts << prompt;
    if (inputAnswers.empty())
        return std::nullopt;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

void RecordingOperator::showRegisterMessage(RegisterMessage &window) { shownWindows.push_back(&window); }

void RecordingOperator::letEventsRun()
{
    ++eventRuns;
    if (onEvents)
        onEvents();
}

} // namespace merovan::test
