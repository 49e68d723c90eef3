#pragma once

#include <QRect>

namespace merovan {

// Where a window goes so that it lies whole on the free area of its screen
// (the screen less its panels): as large as it asks to be, but no larger
// than the area, and where it asks to be, moved in by no more than the
// edges need. Both rectangles include the window's frame.
QRect fitOnScreen(const QRect &wanted, const QRect &available);

// A window of this size (frame included) in the middle of the area.
QRect centredIn(const QSize &size, const QRect &available);

} // namespace merovan
