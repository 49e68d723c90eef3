#pragma once

#include <QString>

namespace merovan {

// The text that "TBO" sends after the table number: the line's text as the
// register's capitals, a name and, after "~", a second name that goes
// first: "ANNA~JOHN" gives ",JOHN: ANNA", "ANNA" gives ",ANNA"; a blank
// text gives nothing.
QString tableText(const QString &text);

} // namespace merovan
