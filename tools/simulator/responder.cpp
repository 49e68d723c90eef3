#include "responder.h"

#include "greek/cp1253.h"

namespace merovan::sim {

Responder::Responder(SimOptions options, RegisterModel &model) : options_(std::move(options)), model_(model)
{
}

Response Responder::respond(const QByteArray &command)
{
    const QString text = fromCp1253(command);
    if (unanswered(text))
        return {};
    if (const std::optional<int> code = forcedError(text))
        return {frame(Reply::error(*code).text), {}};
    Reply reply = model_.handle(text);
    return {frame(reply.text), std::move(reply.paper)};
}

bool Responder::unanswered(const QString &command)
{
    if (dropped_ < options_.drop) {
        ++dropped_;
        return true;
    }
    if (options_.silent)
        return true;
    for (const QString &prefix : options_.silentFor) {
        if (command.startsWith(prefix))
            return true;
    }
    return false;
}

std::optional<int> Responder::forcedError(const QString &command) const
{
    for (const ErrorRule &rule : options_.errors) {
        if (command.startsWith(rule.prefix))
            return rule.code;
    }
    return std::nullopt;
}

std::vector<ReplyPiece> Responder::frame(const QString &reply) const
{
    QByteArray bytes = toCp1253(reply) + '\r';
    if (options_.eot)
        bytes += '\x04';
    if (!options_.split)
        return {{options_.latencyMs, bytes}};
    const qsizetype half = bytes.size() / 2;
    return {{options_.latencyMs, bytes.left(half)}, {kSplitGapMs, bytes.mid(half)}};
}

} // namespace merovan::sim
