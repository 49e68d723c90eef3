#include "core/append_line.h"

#include "greek/cp1253.h"

#include <QFile>

namespace merovan {

void AppendLine(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(toCp1253(text) + "\r\n");
}

} // namespace merovan
