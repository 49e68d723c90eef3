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

void Bridge::trigger(const QString &name)
{
    // What touches neither the register nor the timers runs where it was
    // asked for, even while a job runs; the rest waits its turn on the
    // bridge's thread.
    static const QStringList anywhere = {QStringLiteral("end"), QStringLiteral("wndDebug"),
                                         QStringLiteral("help_text"), QStringLiteral("about"),
                                         QStringLiteral("param"), QStringLiteral("paramEft")};
    if (QThread::currentThread() != thread() && !anywhere.contains(name)) {
        QMetaObject::invokeMethod(this, [this, name] { trigger(name); }, Qt::QueuedConnection);
        return;
    }
    if (!window_.isEnabled(name))
        return;
    // An item inside a disabled menu cannot be reached either.
    for (const QString &menu : menuAncestors(name)) {
        if (!window_.isEnabled(menu))
            return;
    }
    static const QHash<QString, void (Bridge::*)()> plain = {
        {QStringLiteral("startButton"), &Bridge::startPrinting},
        {QStringLiteral("stopButton"), &Bridge::stopPrinting},
        {QStringLiteral("n_tables_num"), &Bridge::askTableNumber},
        {QStringLiteral("errorclear"), &Bridge::clearRegisterError},
        {QStringLiteral("wndDebug"), &Bridge::toggleDebugWindow},
        {QStringLiteral("end"), &Bridge::requestStop},
    };
    if (auto it = plain.find(name); it != plain.end()) {
        (this->*it.value())();
    } else if (name == QStringLiteral("xrep0")) {
        runReport(QStringLiteral("KX0T1"), reportWaitingText(true));
    } else if (name == QStringLiteral("xrep5")) {
        runReport(QStringLiteral("KX5T1"), reportWaitingText(false));
    } else if (name == QStringLiteral("zrep021")) {
        zReport();
    } else if (name == QStringLiteral("zrep521")) {
        runReport(QStringLiteral("KX521T1"), reportWaitingText(false));
    } else if (name == QStringLiteral("n_tables_all")) {
        printTables(QStringLiteral("KX990000OTR"));
    } else if (name == QStringLiteral("help_text")) {
        op_.startDetached(QStringLiteral("notepad"), {QStringLiteral("merovan.txt")});
    } else if (name == QStringLiteral("about")) {
        Q_EMIT aboutRequested();
    } else if (name == QStringLiteral("param")) {
        Q_EMIT settingsWindowRequested();
    } else if (name == QStringLiteral("paramEft")) {
        Q_EMIT paymentTypesWindowRequested();
    }
}

void Bridge::runReport(const QString &command, const QString &waitingText)
{
    window_.setEnabled(QStringLiteral("startButton"), false);
    window_.setStatus(waitingText);
    window_.repaint();
    lastMessage = link_.sendCommand(command, {.previousText = lastMessage}).text;
    // A failure was already reported by the exchange; the report still
    // counts as finished here.
    window_.setEnabled(QStringLiteral("startButton"), true);
    window_.setStatus(QStringLiteral("Το Ισοζύγιο ολοκληρώθηκε"));
    window_.setCaption(state::readyCaption());
}

void Bridge::zReport() { runReport(dailyZReportCommand(), reportWaitingText(false)); }

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
