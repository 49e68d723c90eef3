#pragma once

#include <QList>
#include <QStringList>

#include <optional>

namespace merovan {

// What a job's result block says of its end, read back from the lines that
// were written: the history keeps what the host was told, not a second
// opinion. The last "exitcode = N" line, and the three receipt counters of
// the last "receipt = A, B, C, T" line (none when the register could not
// give them: "-1, -1, -1").
std::optional<int> exitCodeOf(const QStringList &block);
std::optional<QList<qint64>> receiptCountersOf(const QStringList &block);

} // namespace merovan
