#pragma once

#include <QString>

namespace merovan {

// Turns a text to be printed into the register's character set: only
// capitals, no accents. Each step is a function of its own because some job
// lines run only some of the steps, in their own order.

// Code page 737 to Windows Greek (DosGreekConversion, direction true). Only for text
// that arrives in code page 737: it alters Windows Greek (α becomes ά).
QString codePage737ToWindows(const QString &text);

// ά έ ή ί ό ύ become the Latin capitals A E H I O Y, ώ the Greek capital Ω.
QString replaceAccentedLetters(const QString &text);

// The character of Windows-1253 byte 0x83 (ƒ), in either case, becomes Δ.
QString replaceFlorinWithDelta(const QString &text);

// Upper case, one character for one: ϊ ϋ ς become Ϊ Ϋ Σ; ΐ ΰ stay.
QString toRegisterUpper(const QString &text);

// Windows Greek to the register's set (RegisterCharsetConversion, direction false).
QString windowsToRegisterSet(const QString &text);

// All five steps in order; the first only when fromCodePage737 is true.
QString prepareRegisterText(const QString &text, bool fromCodePage737);

} // namespace merovan
