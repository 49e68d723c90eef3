#pragma once

#include "greek/greek_tables.h"

#include <QString>

namespace merovan {

// Converts Greek text letter by letter and keeps the result of the last
// conversion. Direction false converts Windows Greek to the target encoding
// of the subclass; direction true converts code page 737 to Windows Greek.
// Characters without a table entry pass unchanged. Results hold the
// Windows-1253 characters of the target bytes, so toCp1253() of a result
// gives the bytes the target expects.
class GreekConversion {
public:
    QString converted() const;
    void convert(const QString &text, bool direction);

protected:
    explicit GreekConversion(const ByteTable &toTarget) : toTarget_(&toTarget) {}
    ~GreekConversion() = default;

private:
    const ByteTable *toTarget_;
    QString result_;
};

// Windows Greek and code page 737 (DOS Greek).
class DosGreekConversion : public GreekConversion {
public:
    DosGreekConversion();
};

// Windows Greek to the register's character set.
class RegisterCharsetConversion : public GreekConversion {
public:
    RegisterCharsetConversion();
};

} // namespace merovan
