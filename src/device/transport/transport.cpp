#include "device/transport/transport.h"

namespace merovan {

QString withTerminator(const QString &text)
{
    if (text.size() > 2 && !text.endsWith(QStringLiteral("\r\n")))
        return text + QStringLiteral("\r\n");
    return text;
}

} // namespace merovan
