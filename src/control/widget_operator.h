#pragma once

#include "core/operator.h"

namespace merovan {

// The operator of the desktop bridge: Qt message boxes, input boxes and the
// register message window. Asked from the worker, each of them is made and
// answered on the window thread while the worker waits for the answer.
class WidgetOperator final : public Operator {
public:
    using Operator::Operator;

    int messageBox(const QString &text, int style, const QString &caption) override;
    std::optional<QString> inputBox(const QString &prompt) override;
    void displayRegisterMessage(const RegisterMessagePtr &window) override;
    void fatal(const QString &text) override;
};

} // namespace merovan
