#include "core/screen_fit.h"

#include <algorithm>

namespace merovan {

QRect fitOnScreen(const QRect &wanted, const QRect &available)
{
    const QSize size = wanted.size().boundedTo(available.size());
    const int x = std::clamp(wanted.x(), available.left(), available.left() + available.width() - size.width());
    const int y = std::clamp(wanted.y(), available.top(), available.top() + available.height() - size.height());
    return {QPoint(x, y), size};
}

QRect centredIn(const QSize &size, const QRect &available)
{
    QRect r(QPoint(), size);
    r.moveCenter(available.center());
    return r;
}

} // namespace merovan
