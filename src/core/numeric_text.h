#pragma once

#include <QString>

namespace merovan {

// The leading number of a text, as the register protocol's numbers are
// read: blanks skipped, an optional sign, digits, an optional decimal point
// and digits; reading stops at the first other character ("12ab" is 12,
// "ab" is 0).
double leadingNumber(const QString &text);

// Whether the whole text, blanks aside, is one number ("1038", " -3",
// "2.5"); the empty text is not.
bool isNumeric(const QString &text);

} // namespace merovan
