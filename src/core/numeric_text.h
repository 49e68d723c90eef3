#pragma once

#include <QString>

#include <limits>
#include <optional>

namespace merovan {

// The leading number of a text, as the register protocol's numbers are
// read: blanks skipped, an optional sign, digits, an optional decimal point
// and digits; reading stops at the first other character ("12ab" is 12,
// "ab" is 0).
double leadingNumber(const QString &text);

// Whether the whole text, blanks aside, is one number ("1038", " -3",
// "2.5"); the empty text is not.
bool isNumeric(const QString &text);

// A number as a whole number of type T, cut toward zero as a cast would;
// nullopt when it does not fit (a register or a host that writes
// 99999999999 gets a defined outcome, never a wrapped number).
template <typename T> std::optional<T> wholeNumber(double value)
{
    using Limits = std::numeric_limits<T>;
    if (!(value > double(Limits::min()) - 1.0 && value < double(Limits::max()) + 1.0))
        return std::nullopt;
    return static_cast<T>(value);
}

} // namespace merovan
