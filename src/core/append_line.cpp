#include "core/append_line.h"

#include "greek/cp1253.h"

#include <QFile>

namespace merovan {

bool appendLine(const QString &path, const QString &text)
{
    // Unbuffered, so that the line and its CR LF leave in one write.
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 before = file.size();
    const QByteArray bytes = toCp1253(text) + "\r\n";
    if (file.write(bytes) == bytes.size())
        return true;
    // A full disk may take part of the line: a reader must never see a torn
    // line, so what went in is taken back.
    file.resize(before);
    return false;
}

bool canAppendTo(const QString &path)
{
    if (path.isEmpty())
        return false;
    const bool existed = QFile::exists(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    file.close();
    // The probe leaves no file behind that the host did not have.
    if (!existed)
        QFile::remove(path);
    return true;
}

} // namespace merovan
