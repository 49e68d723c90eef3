#pragma once

#include "core/window_control.h"

#include <QList>
#include <QString>

#include <optional>
#include <span>

namespace merovan {

// One entry of the main window's menu bar or of the tray menu. depth 0 is a
// menu-bar menu; an entry without a control is a separator.
struct MenuEntry {
    int depth;
    std::optional<WindowControl> control;
    QString caption;
    QString shortcut;
    bool enabledAtStart;
};

// The menu bar in display order. The Latin letters in some captions (B, I,
// X, Z, H) are part of the captions.
std::span<const MenuEntry> mainMenu();

// The menus that hold an item, outermost first.
QList<WindowControl> menuAncestors(WindowControl control);

// The notification-area pop-up menu (the hidden menu "sysTray Menu").
std::span<const MenuEntry> trayMenu();

} // namespace merovan
