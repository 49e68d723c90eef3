#include "core/append_line.h"

#include "greek/cp1253.h"

#include <QFile>

namespace merovan {

bool appendLine(const QString &path, const QString &text)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = toCp1253(text) + "\r\n";
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace merovan
