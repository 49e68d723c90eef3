#include "control/bridge.h"
#include "core/clock.h"
#include "control/menu_tree.h"
#include "control/state_texts.h"
#include "core/main_window_model.h"
#include "core/numeric_text.h"
#include "core/operator.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"

#include <QHash>
#include <QThread>

#include <cmath>

namespace merovan {

namespace {

QString reportWaitingText(bool firstSpelling)
{
    // The first report's text is spelt "ολοκλήρωση", the others "ολοκληρωσή".
    return firstSpelling ? QStringLiteral("Εκτέλεση Ισοζυγίου!!! Παρακαλώ περιμένετε για την ολοκλήρωση του")
                         : QStringLiteral("Εκτέλεση Ισοζυγίου!!! Παρακαλώ περιμένετε για την ολοκληρωσή του");
}

} // namespace

void Bridge::trigger(WindowControl control)
{
    // What touches neither the register nor the timers runs where it was
    // asked for, even while a job runs; the rest waits its turn on the
    // bridge's thread.
    static const QList<WindowControl> anywhere = {WindowControl::EndProgram, WindowControl::DebugWindow,
                                                  WindowControl::HelpText,   WindowControl::About,
                                                  WindowControl::Settings,   WindowControl::PaymentTypes};
    if (QThread::currentThread() != thread() && !anywhere.contains(control)) {
        QMetaObject::invokeMethod(this, [this, control] { trigger(control); }, Qt::QueuedConnection);
        return;
    }
    if (!window_.isEnabled(control))
        return;
    // An item inside a disabled menu cannot be reached either.
    for (const WindowControl menu : menuAncestors(control)) {
        if (!window_.isEnabled(menu))
            return;
    }
    static const QHash<WindowControl, void (Bridge::*)()> plain = {
        {WindowControl::StartButton, &Bridge::startPrinting},
        {WindowControl::StopButton, &Bridge::stopPrinting},
        {WindowControl::PrintOneTable, &Bridge::askTableNumber},
        {WindowControl::ClearRegisterError, &Bridge::clearRegisterError},
        {WindowControl::DebugWindow, &Bridge::toggleDebugWindow},
        {WindowControl::EndProgram, &Bridge::requestStop},
    };
    static const QHash<WindowControl, JobKind> reports = {
        {WindowControl::XReport, JobKind::XReport},
        {WindowControl::PeriodXReport, JobKind::PeriodXReport},
        {WindowControl::DailyZReport, JobKind::ZReport},
        {WindowControl::PeriodZReport, JobKind::PeriodZReport},
    };
    if (auto it = plain.find(control); it != plain.end()) {
        (this->*it.value())();
    } else if (auto report = reports.find(control); report != reports.end()) {
        runReportOfKind(report.value());
    } else if (control == WindowControl::PrintOpenTables) {
        printTables(QStringLiteral("KX990000OTR"));
    } else if (control == WindowControl::HelpText) {
        op_.startDetached(QStringLiteral("notepad"), {QStringLiteral("merovan.txt")});
    } else if (control == WindowControl::About) {
        Q_EMIT aboutRequested();
    } else if (control == WindowControl::Settings) {
        Q_EMIT settingsWindowRequested();
    } else if (control == WindowControl::PaymentTypes) {
        Q_EMIT paymentTypesWindowRequested();
    }
}

void Bridge::runReport(const QString &command, const QString &waitingText)
{
    window_.setEnabled(WindowControl::StartButton, false);
    window_.setStatus(waitingText);
    window_.repaint();
    lastMessage = link_.sendCommand(command, {.previousText = lastMessage}).text;
    // A failure was already reported by the exchange; the report still
    // counts as finished here.
    window_.setEnabled(WindowControl::StartButton, true);
    window_.setStatus(QStringLiteral("Το Ισοζύγιο ολοκληρώθηκε"));
    window_.setCaption(state::readyCaption());
}

void Bridge::zReport() { runReport(dailyZReportCommand(), reportWaitingText(false)); }

// The menu's reports, also queued by a host as jobs of their own kind.
bool Bridge::runReportOfKind(JobKind kind)
{
    switch (kind) {
    case JobKind::XReport:
        runReport(QStringLiteral("KX0T1"), reportWaitingText(true));
        break;
    case JobKind::PeriodXReport:
        runReport(QStringLiteral("KX5T1"), reportWaitingText(false));
        break;
    case JobKind::PeriodZReport:
        runReport(QStringLiteral("KX521T1"), reportWaitingText(false));
        break;
    case JobKind::ZReport:
        zReport();
        break;
    case JobKind::Job:
        return false;
    }
    return link_.lastRegisterError() == 0;
}

void Bridge::printTables(const QString &command)
{
    if (link_.sendCommand(command).accepted()) {
        QString caption = QStringLiteral("Μύνημα Φορολ. Εκτυπωτή");
        showMessage(op_, QStringLiteral("Επιτυχής εκτύπωση Ισοζυγίου!"), MsgInformation, caption);
    }
}

void Bridge::askTableNumber()
{
    const auto answer =
        op_.inputBox(QStringLiteral("Εισαγωγή αριθμού Τραπεζιού\r\n\rΕύρος εισαγωγής: Από 1..150"));
    // Typed with the locale's decimal separator or with a point.
    const QString typed = answer ? QString(*answer).replace(clock_.decimalSeparator(), QLatin1Char('.')) : QString();
    if (!isNumeric(typed))
        return;
    // The range in the prompt is advice; the register judges the number.
    const auto table = std::lround(leadingNumber(typed));
    printTables(QStringLiteral("KX99%1OTR").arg(table, 4, 10, QLatin1Char('0')));
}

void Bridge::clearRegisterError() { link_.sendCommand(QStringLiteral("KXCL")); }

void Bridge::toggleDebugWindow() { log_.setActive(!log_.active()); }

} // namespace merovan
