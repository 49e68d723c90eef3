#include "command_table.h"

namespace merovan::sim {

void CommandTable::add(const QString &pattern, Handler handler)
{
    rows_.push_back({QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                        QRegularExpression::DotMatchesEverythingOption),
                     std::move(handler)});
}

std::optional<Reply> CommandTable::dispatch(const QString &command) const
{
    for (const Row &row : rows_) {
        const QRegularExpressionMatch match = row.pattern.match(command);
        if (match.hasMatch())
            return row.handler(match.capturedTexts().mid(1));
    }
    return std::nullopt;
}

} // namespace merovan::sim
