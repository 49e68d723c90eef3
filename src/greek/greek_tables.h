#pragma once

#include <QString>

#include <array>

namespace merovan {

// A letter-for-letter replacement table over Windows-1253: entry b is the
// byte whose character replaces the character of byte b, or 0 where the
// table has no entry (no table produces byte 0).
using ByteTable = std::array<unsigned char, 256>;

// Windows Greek to code page 737.
const ByteTable &windowsToCodePage737Table();
// Code page 737 to Windows Greek.
const ByteTable &codePage737ToWindowsTable();
// Windows Greek to the register's own character set.
const ByteTable &windowsToRegisterTable();

// Replaces each character of text that the table has an entry for and keeps
// the others. Every character is looked up once, so a replacement is never
// converted again.
QString convertByTable(const QString &text, const ByteTable &table);

} // namespace merovan
