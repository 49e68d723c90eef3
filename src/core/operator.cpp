#include "core/operator.h"

#include "core/launcher.h"
#include "core/main_window_model.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

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

int showWholeMessage(Operator &op, const QString &text, int style, const QString &caption)
{
    return op.messageBox(text, style | MsgSystemModal, caption.isEmpty() ? QStringLiteral("Merovan4_Vyd") : caption);
}

QString inFolder(const QString &path)
{
    const QFileInfo file(path);
    return QStringLiteral(" %1 στον φάκελο %2").arg(file.fileName(), file.absolutePath());
}

int PlainMessage(Operator &op, const QString &text, int style)
{
    return op.messageBox(text, style, QCoreApplication::applicationName());
}

void Operator::showRegisterMessage(const RegisterMessagePtr &window)
{
    mainWindow_.setRegisterMessage(window);
    displayRegisterMessage(window);
}

void Operator::commandLineRefused(const QStringList &banner, const QString &problem)
{
    // The program ends at once after it, so it goes where it can still be
    // read: the terminal or the service log that started the program.
    for (const QString &line : banner)
        std::fputs(qUtf8Printable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    std::fputs(qUtf8Printable(QStringLiteral("%1: %2; see %1 --help\n").arg(program, problem)), stderr);
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
