#pragma once

#include <QString>

namespace merovan {

// The register text of the job lines that take fewer or other steps than
// an item's description (which takes all five, prepareRegisterText).

// "dis", "mod", "to", "PRG": the steps of an item's description except the
// ƒ-to-Δ replacement.
QString adjustmentText(const QString &text);

// "com": upper-cased before the accents are replaced, and taken as Windows
// Greek (no code page 737 reading).
QString commentText(const QString &text);

// "foo": upper-cased, then read as code page 737 through the register's
// own conversion, then the remaining steps.
QString footerText(const QString &text);

} // namespace merovan
