#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace merovan {

// One entry of the main window's menu bar or of the tray menu. depth 0 is a
// menu-bar menu; an empty name is a separator.
struct MenuEntry {
    int depth;
    const char *name;
    QString caption;
    QString shortcut;
    bool enabledAtStart;
};

// The menu bar in display order. The Latin letters in some captions (B, I,
// X, Z, H) are part of the captions.
std::span<const MenuEntry> mainMenu();

// The names of the menus that hold an item, outermost first.
QStringList menuAncestors(const QString &name);

// The notification-area pop-up menu (the hidden menu "sysTray Menu").
std::span<const MenuEntry> trayMenu();

} // namespace merovan
