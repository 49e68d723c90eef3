#pragma once

#include <QByteArray>
#include <QString>

namespace merovan {

// Reads bytes as code page 737, the OEM code page of Greek Windows, as the
// system's OEM-to-ANSI conversion does, and drops NUL characters. Used to
// find markers in job text that arrived in DOS Greek.
QString oemToAnsi(const QByteArray &oemBytes);

} // namespace merovan
