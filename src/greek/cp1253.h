#pragma once

#include <QByteArray>
#include <QString>

namespace merovan {

// The one Windows-1253 (Windows Greek) codec of the program. Every byte edge
// (serial line, UDP, job file, result file, param.ini, log file) goes
// through it, so a Greek letter is the same byte everywhere.
//
// Bytes that Windows-1253 leaves undefined decode as Windows itself decodes
// them: 0x81, 0x88, 0x8A, 0x8C..0x90, 0x98, 0x9A, 0x9C..0x9F to the C1 control
// with the same code point, 0xAA to U+F8F9, 0xD2 to U+F8FA and 0xFF to
// U+F8FB; they encode back to the same byte, so any byte string survives a
// round trip. A character outside the code page encodes as '?'.
QString fromCp1253(const QByteArray &bytes);
QByteArray toCp1253(const QString &text);

// The character that byte b stands for, and back (-1 when unmappable).
QChar cp1253Char(unsigned char b);
int cp1253Byte(QChar c);

} // namespace merovan
