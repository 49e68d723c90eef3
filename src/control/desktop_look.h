#pragma once

#include <QIcon>

namespace merovan {

// Nearly everything the operator reads is Greek, so the application font
// must have Greek glyphs: the platform's own font when it has them, else
// DejaVu Sans (scripts/setup.sh installs it), else any family that writes
// Greek. Call once, after the application object exists.
void useGreekFont();

// The program's icon for its windows and the notification area, drawn here
// so that no image file has to travel with the program; the menu entry's
// icon files are drawn from the same picture at build time.
QIcon programIcon();
QPixmap programIconPixmap(int size);

} // namespace merovan
