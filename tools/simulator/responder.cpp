#include "responder.h"

#include "greek/cp1253.h"

namespace merovan::sim {

Responder::Responder(SimOptions options, RegisterModel &model) : options_(std::move(options)), model_(model)
{
}

Response Responder::respond(const QByteArray &command)
{
    const QString text = fromCp1253(command);
    if (text.startsWith(kOperatorPrefix))
        return answer(model_.keyedByOperator(text.mid(kOperatorPrefix.size())));
    if (unanswered(text))
        return {};
    if (const std::optional<int> code = forcedError(text))
        return {frame(Reply::error(*code).text), {}};
    Response response = answer(model_.handle(text));
    if (text == QLatin1String("KXSTAT"))
        afterStatusQuery(response);
    return response;
}

Response Responder::answer(const Reply &reply) const
{
    Response response{frame(reply.text), reply.paper};
    if (reply.late) {
        std::vector<ReplyPiece> later = frame(reply.late->text);
        later.front().delayMs = reply.late->delayMs;
        response.pieces.insert(response.pieces.end(), later.begin(), later.end());
    }
    return response;
}

// The operator acts once the register has answered the query.
void Responder::afterStatusQuery(Response &response)
{
    ++statusQueries_;
    for (const OperatorAction &action : options_.operatorActions) {
        if (action.afterStatusQueries == statusQueries_)
            response.paper += model_.keyedByOperator(action.keys).paper;
    }
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
    if (reply.startsWith(QLatin1String("DE")) ? !options_.splitErrors : !options_.split)
        return {{options_.latencyMs, bytes}};
    const qsizetype half = bytes.size() / 2;
    return {{options_.latencyMs, bytes.left(half)}, {kSplitGapMs, bytes.mid(half)}};
}

} // namespace merovan::sim
