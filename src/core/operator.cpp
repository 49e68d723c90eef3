#include "core/operator.h"

namespace merovan {

QString fitMessageText(const QString &text)
{
    constexpr int kWidth = 40;
    return text.size() >= kWidth ? text.left(kWidth) : text.leftJustified(kWidth, QLatin1Char(' '));
}

int ShowMessage(Operator &op, const QString &text, int style, QString &caption)
{
    if (caption.isEmpty())
        caption = QStringLiteral("Merovan4_Vyd");
    return op.messageBox(fitMessageText(text), style | MsgSystemModal, caption);
}

int ShowMessage(Operator &op, const QString &text, int style)
{
    QString caption;
    return ShowMessage(op, text, style, caption);
}

} // namespace merovan
