#include "control/console_operator.h"

#include "core/main_window_model.h"
#include "core/register_message.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace merovan {

namespace {

void printLine(FILE *stream, const QString &text)
{
    // The message boxes keep their CR line breaks; one log line each.
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::fputs(line.toUtf8().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// A message for the operator, on standard error: without the blanks that
// fit a message box's text to 40 characters.
void printMessage(const QString &text)
{
    QString message = text;
    while (message.endsWith(QLatin1Char(' ')))
        message.chop(1);
    printLine(stderr, message);
}

} // namespace

ConsoleOperator::ConsoleOperator(MainWindowModel &model) : Operator(model)
{
    // Several changes in one step show as the window would show them once
    // it is painted: at an explicit repaint or when the event loop runs.
    const auto queueFlush = [this] {
        if (flushQueued_)
            return;
        flushQueued_ = true;
        QTimer::singleShot(0, this, &ConsoleOperator::flush);
    };
    connect(&model, &MainWindowModel::captionChanged, this, queueFlush);
    connect(&model, &MainWindowModel::statusChanged, this, queueFlush);
    connect(&model, &MainWindowModel::repaintRequested, this, &ConsoleOperator::flush, Qt::DirectConnection);
}

void ConsoleOperator::flush()
{
    QMutexLocker lock(&mutex_);
    flushQueued_ = false;
    MainWindowModel &model = mainWindow();
    if (model.caption() != shownCaption_) {
        shownCaption_ = model.caption();
        printLine(stdout, QStringLiteral("caption: ") + shownCaption_);
    }
    if (model.status() != shownStatus_) {
        shownStatus_ = model.status();
        printLine(stdout, QStringLiteral("status: ") + shownStatus_);
        Q_EMIT statusShown(shownStatus_);
    }
}

void ConsoleOperator::runBeside(QThread &worker)
{
    QCoreApplication::removePostedEvents(this);
    flushQueued_ = false;
    moveToThread(&worker);
}

int ConsoleOperator::messageBox(const QString &text, int, const QString &)
{
    flush();
    printMessage(text);
    return 1;
}

std::optional<QString> ConsoleOperator::inputBox(const QString &prompt)
{
    printMessage(prompt + QStringLiteral(" (no input without a screen: cancelled)"));
    return std::nullopt;
}

void ConsoleOperator::displayRegisterMessage(const RegisterMessagePtr &window)
{
    const auto show = [shown = std::weak_ptr<RegisterMessage>(window)] {
        if (const auto window = shown.lock())
            printLine(stdout, QStringLiteral("register message: %1: %2 %3")
                                  .arg(window->caption(), window->message(), window->detail())
                                  .trimmed());
    };
    connect(window.get(), &RegisterMessage::changed, this, show);
    show();
}

void ConsoleOperator::fatal(const QString &text) { printMessage(text); }


} // namespace merovan
