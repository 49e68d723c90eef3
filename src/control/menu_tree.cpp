#include "control/menu_tree.h"

#include <array>

namespace merovan {

namespace {

const std::array<MenuEntry, 21> &mainEntries()
{
    static const std::array<MenuEntry, 21> entries = {{
        {0, WindowControl::OptionsMenu, QStringLiteral("Επιλογές"), {}, true},
        {1, WindowControl::Settings, QStringLiteral("Παράμετροι"), QStringLiteral("Ctrl+P"), true},
        {1, WindowControl::PaymentTypes, QStringLiteral("Παράμετροι Πιστ. Καρτών"), {}, true},
        {1, {}, QStringLiteral("-"), {}, true},
        {1, WindowControl::HelpMenu, QStringLiteral("Bοήθεια"), {}, true},
        {2, WindowControl::HelpText, QStringLiteral("Ρυθμίσεις"), QStringLiteral("Ctrl+B"), true},
        {2, WindowControl::ClearRegisterError, QStringLiteral("Καθαρισμός λάθους ταμειακής"), QStringLiteral("Ctrl+C"), true},
        {2, WindowControl::DebugWindow, QStringLiteral("Debug Επικοινωνίας"), {}, true},
        {0, WindowControl::ReportsMenu, QStringLiteral("Ισοζύγια"), {}, true},
        {1, WindowControl::XReportsMenu, QStringLiteral("Ισοζύγια 'X'"), {}, true},
        {2, WindowControl::XReport, QStringLiteral("Iσοζ. Χ (Οικονομικό)"), {}, true},
        {2, WindowControl::PeriodXReport, QStringLiteral("Iσοζ. Χ (Περιόδου)"), {}, true},
        {1, WindowControl::ZReportsMenu, QStringLiteral("Ισοζύγια 'Z'"), {}, false},
        {2, WindowControl::DailyZReport, QStringLiteral("Iσοζ. Z (Οικονομικό-Hμερήσιο)"), {}, true},
        {2, WindowControl::PeriodZReport, QStringLiteral("Iσοζ. Z (Περιόδου)"), {}, true},
        {1, WindowControl::TablesMenu, QStringLiteral("Τραπέζια"), {}, true},
        {2, WindowControl::PrintOpenTables, QStringLiteral("Εκτύπωση όλα τα ανοικτά"), {}, true},
        {2, WindowControl::PrintOneTable, QStringLiteral("Εκτύπωση συγκεκριμένου"), {}, true},
        {0, WindowControl::ExitMenu, QStringLiteral("Έξοδος"), {}, true},
        {1, WindowControl::EndProgram, QStringLiteral("Τερματισμός Merovan"), QStringLiteral("Ctrl+E"), true},
        {1, WindowControl::About, QStringLiteral("Περί Merovan"), QStringLiteral("Ctrl+A"), true},
    }};
    return entries;
}

const std::array<MenuEntry, 7> &trayEntries()
{
    static const std::array<MenuEntry, 7> entries = {{
        {0, WindowControl::TrayShow, QStringLiteral("Εμφάνιση Merovan"), {}, true},
        {0, WindowControl::TrayHide, QStringLiteral("Απόκρυψη Merovan"), {}, true},
        {0, {}, QStringLiteral("-"), {}, true},
        {0, WindowControl::TrayStartPrinting, QStringLiteral("Έναρξη Εκτυπώσεων"), {}, true},
        {0, WindowControl::TrayStopPrinting, QStringLiteral("Διακοπή Εκτυπώσεων"), {}, true},
        {0, {}, QStringLiteral("-"), {}, true},
        {0, WindowControl::TrayZReport, QStringLiteral("Εκτέλεση Ισοζ. 'Ζ'"), {}, false},
    }};
    return entries;
}

} // namespace

std::span<const MenuEntry> mainMenu() { return mainEntries(); }

QList<WindowControl> menuAncestors(WindowControl control)
{
    QList<WindowControl> chain; // chain[d] is the open menu at depth d
    for (const MenuEntry &entry : mainEntries()) {
        if (!entry.control)
            continue; // a separator opens nothing
        chain.resize(entry.depth);
        if (*entry.control == control)
            return chain;
        chain << *entry.control;
    }
    return {};
}

std::span<const MenuEntry> trayMenu() { return trayEntries(); }

} // namespace merovan
