#pragma once

#include <QHashFunctions>
#include <QMetaType>
#include <QString>

namespace merovan {

// Every control of the main window and of the tray menu that the program
// speaks of: menus and their items, the two buttons, the value labels, and
// the main window itself (whose enabled state the model keeps too). Front
// ends, the bridge and tests name controls by these values; the strings
// exist only as the widgets' object names.
enum class WindowControl {
    MainWindow,

    // The menu bar, in display order.
    OptionsMenu,
    Settings,
    PaymentTypes,
    HelpMenu,
    HelpText,
    ClearRegisterError,
    DebugWindow,
    ReportsMenu,
    XReportsMenu,
    XReport,
    PeriodXReport,
    ZReportsMenu,
    DailyZReport,
    PeriodZReport,
    TablesMenu,
    PrintOpenTables,
    PrintOneTable,
    ExitMenu,
    EndProgram,
    About,

    // The tray menu.
    TrayShow,
    TrayHide,
    TrayStartPrinting,
    TrayStopPrinting,
    TrayZReport,

    StartButton,
    StopButton,

    // The value labels.
    ConnectionLabel,
    BaudLabel,
    JobFileLabel,
    DescriptionLabel,
    CommentsLabel,
    CurrencyLabel,
    RegisterLabel,
    VersionLabel,
    ReceiptLabel,
    ProgressLabel,
};

// The control's name of old; the value labels and the tray items carry it
// as their widgets' object names.
QString objectName(WindowControl control);

inline size_t qHash(WindowControl control, size_t seed = 0) noexcept
{
    return ::qHash(static_cast<int>(control), seed);
}

} // namespace merovan

// A control can travel in a QVariant too; queued signals carrying one need
// nothing more, since moc records the types of their arguments.
Q_DECLARE_METATYPE(merovan::WindowControl)
