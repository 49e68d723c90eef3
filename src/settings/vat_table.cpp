#include "settings/vat_table.h"

#include <QFile>
#include <QLocale>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <optional>

namespace merovan {

namespace {

constexpr int kRateBytes = 8;
constexpr int kTableBytes = kRateBytes * 5;

double decodeRate(const char *bytes) { return std::bit_cast<double>(qFromLittleEndian<quint64>(bytes)); }

// Reads size bytes from the file's position; what lies beyond the end reads
// as zeros. Nothing when the read itself fails.
std::optional<QByteArray> readPadded(QFile &file, int size)
{
    QByteArray bytes(size, '\0');
    return file.read(bytes.data(), size) < 0 ? std::nullopt : std::optional(bytes);
}

// Both marks a person may type as the decimal separator become the
// locale's.
QString withDecimalSeparator(QString text, QChar decimalSeparator)
{
    text.replace(QLatin1Char('.'), decimalSeparator);
    text.replace(QLatin1Char(','), decimalSeparator);
    return text;
}

std::optional<double> boxNumber(QString text, QChar decimalSeparator)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.replace(decimalSeparator, QLatin1Char('.')), &ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

QString boxText(double rate, QChar decimalSeparator)
{
    return QString::number(rate, 'g', 15).replace(QLatin1Char('.'), decimalSeparator);
}

} // namespace

double readVatRate(const QString &path, int index)
{
    if (index < 0 || index >= static_cast<int>(VatRates().size()))
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(qint64(index) * kRateBytes))
        return 0;
    const auto bytes = readPadded(file, kRateBytes);
    return bytes ? decodeRate(bytes->constData()) : 0;
}

bool vatFileReadable(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() >= kTableBytes;
}

QStringList vatBoxTexts(const QString &path, QChar decimalSeparator)
{
    QStringList boxes;
    QFile file(path);
    // Opening for writing creates a missing file; a read-only file still shows.
    const bool opened = file.open(QIODevice::ReadWrite) || file.open(QIODevice::ReadOnly);
    const auto bytes = opened ? readPadded(file, kTableBytes) : std::nullopt;
    for (int i = 0; i < kTableBytes; i += kRateBytes)
        boxes << (bytes ? boxText(decodeRate(bytes->constData() + i), decimalSeparator) : QStringLiteral("0"));
    return boxes;
}

int collectVatRates(QStringList &boxes, VatRates &rates, QChar decimalSeparator)
{
    for (std::size_t i = 0; i < rates.size(); ++i) {
        if (static_cast<qsizetype>(i) >= boxes.size())
            return -1;
        QString &box = boxes[static_cast<qsizetype>(i)];
        box = withDecimalSeparator(box, decimalSeparator);
        const auto rate = boxNumber(box, decimalSeparator);
        if (!rate)
            return -1;
        rates[i] = *rate;
    }
    return 0;
}

int saveVatRates(const QString &path, const VatRates &rates)
{
    QByteArray bytes(kTableBytes, '\0');
    for (std::size_t i = 0; i < rates.size(); ++i)
        qToLittleEndian(std::bit_cast<quint64>(rates[i]), bytes.data() + i * kRateBytes);
    QFile file(path);
    const bool written = file.open(QIODevice::ReadWrite) && file.write(bytes) == kTableBytes && file.flush();
    return written ? 0 : -1;
}

} // namespace merovan
