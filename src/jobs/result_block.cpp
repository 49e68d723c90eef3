#include "jobs/result_block.h"

namespace merovan {

namespace {

// The last line of the block that starts with the prefix, without it.
std::optional<QString> lastValue(const QStringList &block, QLatin1StringView prefix)
{
    for (auto line = block.crbegin(); line != block.crend(); ++line) {
        if (line->startsWith(prefix))
            return line->mid(prefix.size());
    }
    return std::nullopt;
}

} // namespace

std::optional<int> exitCodeOf(const QStringList &block)
{
    const auto value = lastValue(block, QLatin1StringView("exitcode = "));
    bool ok = false;
    const int code = value ? value->trimmed().toInt(&ok) : 0;
    return ok ? std::optional<int>(code) : std::nullopt;
}

std::optional<QList<qint64>> receiptCountersOf(const QStringList &block)
{
    const auto value = lastValue(block, QLatin1StringView("receipt = "));
    if (!value)
        return std::nullopt;
    const QStringList parts = value->split(QLatin1Char(','));
    if (parts.size() < 3)
        return std::nullopt;
    QList<qint64> counters;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const qint64 n = parts[i].trimmed().toLongLong(&ok);
        if (!ok || n < 0)
            return std::nullopt;
        counters << n;
    }
    return counters;
}

} // namespace merovan
