#pragma once

#include <QString>

namespace merovan {

// The Greek text for a register error number (or one of the program's own
// negative codes). A "DE" prefix is ignored; an unknown number comes back
// as the number, a text that is not a number comes back unchanged.
QString registerErrorText(const QString &text);

} // namespace merovan
