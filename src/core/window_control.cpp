#include "core/window_control.h"

namespace merovan {

QString objectName(WindowControl control)
{
    switch (control) {
    case WindowControl::MainWindow: return QStringLiteral("Merovan");
    case WindowControl::OptionsMenu: return QStringLiteral("Settings");
    case WindowControl::Settings: return QStringLiteral("param");
    case WindowControl::PaymentTypes: return QStringLiteral("paramEft");
    case WindowControl::HelpMenu: return QStringLiteral("help");
    case WindowControl::HelpText: return QStringLiteral("help_text");
    case WindowControl::ClearRegisterError: return QStringLiteral("errorclear");
    case WindowControl::DebugWindow: return QStringLiteral("wndDebug");
    case WindowControl::ReportsMenu: return QStringLiteral("reports");
    case WindowControl::XReportsMenu: return QStringLiteral("xreports");
    case WindowControl::XReport: return QStringLiteral("xrep0");
    case WindowControl::PeriodXReport: return QStringLiteral("xrep5");
    case WindowControl::ZReportsMenu: return QStringLiteral("zreports");
    case WindowControl::DailyZReport: return QStringLiteral("zrep021");
    case WindowControl::PeriodZReport: return QStringLiteral("zrep521");
    case WindowControl::TablesMenu: return QStringLiteral("m_tables");
    case WindowControl::PrintOpenTables: return QStringLiteral("n_tables_all");
    case WindowControl::PrintOneTable: return QStringLiteral("n_tables_num");
    case WindowControl::ExitMenu: return QStringLiteral("exit");
    case WindowControl::EndProgram: return QStringLiteral("end");
    case WindowControl::About: return QStringLiteral("about");
    case WindowControl::TrayShow: return QStringLiteral("fShow");
    case WindowControl::TrayHide: return QStringLiteral("fHide");
    case WindowControl::TrayStartPrinting: return QStringLiteral("pStart");
    case WindowControl::TrayStopPrinting: return QStringLiteral("pStop");
    case WindowControl::TrayZReport: return QStringLiteral("mZREp");
    case WindowControl::StartButton: return QStringLiteral("startButton");
    case WindowControl::StopButton: return QStringLiteral("stopButton");
    case WindowControl::ConnectionLabel: return QStringLiteral("serialtxt");
    case WindowControl::BaudLabel: return QStringLiteral("baudtxt");
    case WindowControl::JobFileLabel: return QStringLiteral("filetxt");
    case WindowControl::DescriptionLabel: return QStringLiteral("desctxt");
    case WindowControl::CommentsLabel: return QStringLiteral("commentstxt");
    case WindowControl::CurrencyLabel: return QStringLiteral("currtxt");
    case WindowControl::RegisterLabel: return QStringLiteral("Label2");
    case WindowControl::VersionLabel: return QStringLiteral("txtVersion");
    case WindowControl::ReceiptLabel: return QStringLiteral("lblreceipt");
    case WindowControl::ProgressLabel: return QStringLiteral("progress");
    }
    return {}; // not a control: a value cast from a number
}

} // namespace merovan
