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
    const bool cancelled = !inputAnswers.front().has_value();
    const QString text = inputAnswers.front().value_or(QString());
    inputAnswers.pop_front();
    if (cancelled)
        return std::nullopt;
    return text;
}

void RecordingOperator::displayRegisterMessage(const RegisterMessagePtr &window)
{
    shownWindows.push_back(window);
    if (onShown)
        onShown(window);
}

} // namespace merovan::test
