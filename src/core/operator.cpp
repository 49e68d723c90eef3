#include "core/operator.h"

#include "core/launcher.h"

#include <QCoreApplication>

namespace merovan {

QString fitMessageText(const QString &text)
{
    constexpr int kWidth = 40;
    return text.size() >= kWidth ? text.left(kWidth) : text.leftJustified(kWidth, QLatin1Char(' '));
}

int showMessage(Operator &op, const QString &text, int style, QString &caption)
{
    if (caption.isEmpty())
        caption = QStringLiteral("Merovan4_Vyd");
    return op.messageBox(fitMessageText(text), style | MsgSystemModal, caption);
}

int PlainMessage(Operator &op, const QString &text, int style)
{
    return op.messageBox(text, style, QCoreApplication::applicationName());
}

void Operator::startDetached(const QString &program, const QStringList &arguments)
{
    startDetachedProgram(program, arguments);
}

int showMessage(Operator &op, const QString &text, int style)
{
    QString caption;
    return showMessage(op, text, style, caption);
}

} // namespace merovan
