#include "payments/payment_types.h"

#include "core/operator.h"
#include "payments/file_claim.h"

#include <QFile>
#include <QtEndian>

#include <limits>

namespace merovan {

namespace {

constexpr qint64 kRecordLength = 128;
constexpr int kFieldBytes = 2;
constexpr int kRecordBytes = PaymentTypeRecord::kFieldCount * kFieldBytes;

constexpr qint16 PaymentTypeRecord::*kFields[PaymentTypeRecord::kFieldCount] = {
    &PaymentTypeRecord::typeNumber,      &PaymentTypeRecord::registerKey,    &PaymentTypeRecord::terminal,
    &PaymentTypeRecord::cardPaymentOn,  &PaymentTypeRecord::retries, &PaymentTypeRecord::fallbackKey,
    &PaymentTypeRecord::printDelaySeconds,
};

// The caller's number as field 0 holds it; 0, never a position, when it
// does not fit in 16 bits.
qint16 recordNumber(int typeNumber)
{
    using Limits = std::numeric_limits<qint16>;
    return typeNumber >= Limits::min() && typeNumber <= Limits::max() ? static_cast<qint16>(typeNumber) : 0;
}

// Opens the file for one operation; it closes when the QFile goes.
bool openClaimed(QFile &file, const PaymentTypeRecord &record)
{
    return record.typeNumber > 0 && file.open(QIODevice::ReadWrite) && claimFile(file.handle());
}

qint64 recordOffset(const PaymentTypeRecord &record) { return (record.typeNumber - 1) * kRecordLength; }

QByteArray encodeRecord(const PaymentTypeRecord &record)
{
    QByteArray bytes(kRecordLength, '\0');
    for (int i = 0; i < PaymentTypeRecord::kFieldCount; ++i)
        qToLittleEndian(record.field(i), bytes.data() + i * kFieldBytes);
    return bytes;
}

} // namespace

qint16 &PaymentTypeRecord::field(int number) { return this->*kFields[number]; }

qint16 PaymentTypeRecord::field(int number) const { return this->*kFields[number]; }

int readPaymentTypeQuietly(PaymentTypeRecord &record, const QString &path)
{
    QFile file(path);
    if (!openClaimed(file, record) || !file.seek(recordOffset(record)))
        return -1;
    // What lies beyond the end of the file reads as zeros.
    QByteArray bytes(kRecordBytes, '\0');
    if (file.read(bytes.data(), kRecordBytes) < 0)
        return -1;
    for (int i = 1; i < PaymentTypeRecord::kFieldCount; ++i)
        record.field(i) = qFromLittleEndian<qint16>(bytes.constData() + i * kFieldBytes);
    return 0;
}

PaymentTypeRecord readPaymentType(Operator &op, int typeNumber, const QString &path)
{
    PaymentTypeRecord record;
    record.typeNumber = recordNumber(typeNumber);
    if (readPaymentTypeQuietly(record, path) != 0) {
        showWholeMessage(op, QStringLiteral("Αδυναμία ανάγνωσης παραμέτρων πληρωμών:") + inFolder(path), MsgExclamation,
                         QStringLiteral("Μύνημα Merovan"));
        record.cardPaymentOn = 0;
    }
    return record;
}

int writePaymentType(const PaymentTypeRecord &record, const QString &path)
{
    QFile file(path);
    const qint64 offset = recordOffset(record);
    if (!openClaimed(file, record))
        return -1;
    // Records skipped over are written as zeros, not left to the file system.
    if (file.size() < offset && !file.resize(offset))
        return -1;
    const QByteArray bytes = encodeRecord(record);
    return file.seek(offset) && file.write(bytes) == bytes.size() && file.flush() ? 0 : -1;
}

int deletePaymentType(int typeNumber, const QString &path)
{
    PaymentTypeRecord record;
    record.typeNumber = recordNumber(typeNumber);
    return writePaymentType(record, path);
}

} // namespace merovan
