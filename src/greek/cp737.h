#pragma once

#include <QChar>

namespace merovan {

// Code page 737 (DOS Greek), the OEM code page of Greek Windows: the
// character that byte b stands for, as Windows decodes it. The lower half is
// ASCII; 0xB0..0xDF are the box-drawing characters of code page 437.
QChar cp737Char(unsigned char b);

} // namespace merovan
