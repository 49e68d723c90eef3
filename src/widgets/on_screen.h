#pragma once

#include "core/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace merovan {

// The room a window manager's frame takes around a window's content: a
// title bar of at least a line of the window's font with some room around
// it, and the style's borders.
inline QMargins expectedFrameMargins(const QWidget *window)
{
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    const int title = std::max(window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window),
                               window->fontMetrics().height() + 12);
    return {border, title + border, border, border};
}

// The room the frame takes: as the window system framed the window, or,
// before it has been, as a frame is expected to.
inline QMargins frameMarginsOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    if (frame == inside)
        return expectedFrameMargins(window);
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

// Shows a top-level window whole on the screen where it appears: with the
// content size it asks for, its frame's corner at `at` (in the middle of
// the screen when not given), both made smaller or moved in where the
// screen's free area ends. A window whose layout asks for more than the
// screen holds must be able to scroll its content.
inline void showOnScreen(QWidget *window, const QSize &content, std::optional<QPoint> at = {},
                         QScreen *screen = nullptr)
{
    if (!screen && at)
        screen = QGuiApplication::screenAt(*at);
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameMarginsOf(window);
    const QSize framed = content.grownBy(frame);
    const QRect wanted = at ? QRect(*at, framed) : centredIn(framed, area);
    const QRect fitted = fitOnScreen(wanted, area);
    window->resize(fitted.size().shrunkBy(frame));
    window->move(fitted.topLeft());
    window->show();
}

} // namespace merovan
