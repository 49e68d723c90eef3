#pragma once

#include "reply.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace merovan::sim {

// Maps command shapes to handlers. A pattern must match the whole command;
// its capture groups are handed to the handler. The first row that matches
// wins, so exact commands are added before the general shapes they would
// also fit (the report "KX0T1" before the payment "KX<amount>T<type>").
class CommandTable {
public:
    using Handler = std::function<Reply(const QStringList &captures)>;

    void add(const QString &pattern, Handler handler);

    // The handler's reply, or nothing when no row matches.
    std::optional<Reply> dispatch(const QString &command) const;

private:
    struct Row {
        QRegularExpression pattern;
        Handler handler;
    };
    std::vector<Row> rows_;
};

} // namespace merovan::sim
