#include "posix_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace merovan::sim {

QString posixError(const char *call)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(call), QString::fromLocal8Bit(std::strerror(errno)));
}

void warn(const QString &text)
{
    std::fprintf(stderr, "merovan-sim: %s\n", qPrintable(text));
}

} // namespace merovan::sim
