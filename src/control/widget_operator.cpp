#include "control/widget_operator.h"

#include "core/window_thread.h"
#include "diagnostics/register_message_window.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include <cstdio>

namespace merovan {

namespace {

QMessageBox::Icon iconFor(int style)
{
    switch (style & 0x70) {
    case MsgCritical:
        return QMessageBox::Critical;
    case MsgQuestion:
        return QMessageBox::Question;
    case MsgExclamation:
        return QMessageBox::Warning;
    case MsgInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int WidgetOperator::messageBox(const QString &text, int style, const QString &caption)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    runOnWindowThread([&] {
        QMessageBox box(iconFor(style), caption, shown, QMessageBox::Ok);
        // The nearest a Qt box comes to system-modal: above every window.
        box.setWindowModality(Qt::ApplicationModal);
        if (style & MsgSystemModal)
            box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
    });
    return 1;
}

std::optional<QString> WidgetOperator::inputBox(const QString &prompt)
{
    QString shown = prompt;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    bool ok = false;
    QString answer;
    runOnWindowThread([&] {
        answer = QInputDialog::getText(nullptr, QApplication::applicationName(), shown, QLineEdit::Normal, {}, &ok);
    });
    if (!ok)
        return std::nullopt;
    return answer;
}

void WidgetOperator::displayRegisterMessage(const RegisterMessagePtr &window)
{
    runOnWindowThread([&window] {
        auto *widget = new RegisterMessageWindow(window);
        widget->setWindowIcon(QApplication::windowIcon());
        widget->show();
    });
}

void WidgetOperator::fatal(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
    runOnWindowThread([&text] { QMessageBox::critical(nullptr, QStringLiteral("Merovan"), text); });
}


} // namespace merovan
