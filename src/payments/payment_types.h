#pragma once

#include <QString>
#include <QtGlobal>

namespace merovan {

class Operator;

// One payment type of "payeft.dat": seven signed 16-bit numbers that the
// card payment flow counts as fields 0 to 6.
struct PaymentTypeRecord {
    qint16 typeNumber = 0;          // 0: the job file's payment type number; also the record's position
    qint16 registerKey = 0;        // 1: register payment key of the card command
    qint16 terminal = 0; // 2: terminal number sent after "P"
    qint16 cardPaymentOn = 0;      // 3: card payment on: -1 true, 0 false
    qint16 retries = 0;     // 4: further tries after a failed first try
    qint16 fallbackKey = 0;       // 5: register payment key booked when the card fails; 0 none
    qint16 printDelaySeconds = 0;    // 6: seconds the terminal gets to finish printing

    static constexpr int kFieldCount = 7;

    // A field by its number 0..6.
    qint16 &field(int number);
    qint16 field(int number) const;

    friend bool operator==(const PaymentTypeRecord &, const PaymentTypeRecord &) = default;
};

// The file of payment types, in the working folder.
inline const QString kPaymentTypesFile = QStringLiteral("payeft.dat");

// Layout of the file: payment type n owns the 128 bytes from (n - 1) * 128;
// its first 14 bytes are the record's fields, little-endian, and the other
// 114 are zeros. A record is always written out whole, so the file's length
// is a whole number of records, and positions never written read as zeros.
// Field 0 is the position and is never taken from the file.
//
// Every operation opens the file for reading and writing (creating it when
// it is missing), claims it, touches one record and closes it again. A type
// number outside 1..32767, a file that cannot be opened for writing (a
// read-only one included) or one that another program holds locked makes
// the operation fail.

// The record of a payment type. On failure it shows "Αδυναμία ανάγνωσης
// παραμέτρων πληρωμών:" with the file and its folder, with the warning icon,
// and turns card payment off.
PaymentTypeRecord readPaymentType(Operator &op, int typeNumber, const QString &path = kPaymentTypesFile);

// Fills fields 1 to 6 of the record at the position of its field 0; 0, or -1
// on failure without a message.
int readPaymentTypeQuietly(PaymentTypeRecord &record, const QString &path = kPaymentTypesFile);

// Writes the record at the position of its field 0; 0 or -1, no message.
int writePaymentType(const PaymentTypeRecord &record, const QString &path = kPaymentTypesFile);

// Leaves the type as the number alone, every other field zero; 0 or -1.
int deletePaymentType(int typeNumber, const QString &path = kPaymentTypesFile);

// One of the register's own payments, for display (the fallback key's name).
struct RegisterPayment {
    QString name;
    bool active = false;
    qint16 type = 0;

    // The name as shown: a preloaded card's payment says so after it.
    QString displayName() const;
};

// The register's payment key 1 to 6 with its name: out gets the name, active
// and type 0, and the result is 0. Any other key leaves out inactive and
// nameless, result -1.
int registerPayment(int key, RegisterPayment &out);

} // namespace merovan
