#pragma once

#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <bit>
#include <initializer_list>

namespace merovan::test {

// Replaces a file's bytes; false when it cannot be written.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file's bytes; "none" when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
}

// The VAT rates as vats.dat keeps them: little-endian doubles, 8 bytes each.
inline QByteArray vatBytes(std::initializer_list<double> rates)
{
    QByteArray bytes;
    for (double rate : rates) {
        bytes.resize(bytes.size() + 8);
        qToLittleEndian(std::bit_cast<quint64>(rate), bytes.data() + bytes.size() - 8);
    }
    return bytes;
}

} // namespace merovan::test
