#include "control/menu_tree.h"

#include <array>

namespace merovan {

namespace {

const std::array<MenuEntry, 21> &mainEntries()
{
    static const std::array<MenuEntry, 21> entries = {{
        {0, "Settings", QStringLiteral("Επιλογές"), {}, true},
        {1, "param", QStringLiteral("Παράμετροι"), QStringLiteral("Ctrl+P"), true},
        {1, "paramEft", QStringLiteral("Παράμετροι Πιστ. Καρτών"), {}, true},
        {1, "", QStringLiteral("-"), {}, true},
        {1, "help", QStringLiteral("Bοήθεια"), {}, true},
        {2, "help_text", QStringLiteral("Ρυθμίσεις"), QStringLiteral("Ctrl+B"), true},
        {2, "errorclear", QStringLiteral("Καθαρισμός λάθους ταμειακής"), QStringLiteral("Ctrl+C"), true},
        {2, "wndDebug", QStringLiteral("Debug Επικοινωνίας"), {}, true},
        {0, "reports", QStringLiteral("Ισοζύγια"), {}, true},
        {1, "xreports", QStringLiteral("Ισοζύγια 'X'"), {}, true},
        {2, "xrep0", QStringLiteral("Iσοζ. Χ (Οικονομικό)"), {}, true},
        {2, "xrep5", QStringLiteral("Iσοζ. Χ (Περιόδου)"), {}, true},
        {1, "zreports", QStringLiteral("Ισοζύγια 'Z'"), {}, false},
        {2, "zrep021", QStringLiteral("Iσοζ. Z (Οικονομικό-Hμερήσιο)"), {}, true},
        {2, "zrep521", QStringLiteral("Iσοζ. Z (Περιόδου)"), {}, true},
        {1, "m_tables", QStringLiteral("Τραπέζια"), {}, true},
        {2, "n_tables_all", QStringLiteral("Εκτύπωση όλα τα ανοικτά"), {}, true},
        {2, "n_tables_num", QStringLiteral("Εκτύπωση συγκεκριμένου"), {}, true},
        {0, "exit", QStringLiteral("Έξοδος"), {}, true},
        {1, "end", QStringLiteral("Τερματισμός Merovan"), QStringLiteral("Ctrl+E"), true},
        {1, "about", QStringLiteral("Περί Merovan"), QStringLiteral("Ctrl+A"), true},
    }};
    return entries;
}

const std::array<MenuEntry, 7> &trayEntries()
{
    static const std::array<MenuEntry, 7> entries = {{
        {0, "fShow", QStringLiteral("Εμφάνιση Merovan"), {}, true},
        {0, "fHide", QStringLiteral("Απόκρυψη Merovan"), {}, true},
        {0, "", QStringLiteral("-"), {}, true},
        {0, "pStart", QStringLiteral("Έναρξη Εκτυπώσεων"), {}, true},
        {0, "pStop", QStringLiteral("Διακοπή Εκτυπώσεων"), {}, true},
        {0, "", QStringLiteral("-"), {}, true},
        {0, "mZREp", QStringLiteral("Εκτέλεση Ισοζ. 'Ζ'"), {}, false},
    }};
    return entries;
}

} // namespace

std::span<const MenuEntry> mainMenu() { return mainEntries(); }

QStringList menuAncestors(const QString &name)
{
    QStringList chain; // chain[d] is the open menu at depth d
    for (const MenuEntry &entry : mainEntries()) {
        chain.resize(entry.depth);
        if (QLatin1String(entry.name) == name)
            return chain;
        chain << QLatin1String(entry.name);
    }
    return {};
}

std::span<const MenuEntry> trayMenu() { return trayEntries(); }

} // namespace merovan
