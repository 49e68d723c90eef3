#include "responder.h"

#include "greek/cp1253.h"

namespace merovan::sim {

Responder::Responder(SimOptions options, RegisterModel &model)
    : options_(std::move(options)), model_(model), random_(options_.seed), busyUsed_(options_.busy.size(), false)
{
}

Response Responder::respond(const QByteArray &command)
{
    const QString text = fromCp1253(command);
    if (text.startsWith(kOperatorPrefix))
        return answer(model_.keyedByOperator(text.mid(kOperatorPrefix.size())), options_.latencyMs, false);
    if (unanswered(text))
        return {};
    const int delay = replyDelay(text);
    if (const std::optional<int> code = forcedError(text))
        return answer(Reply::error(*code), delay, true);
    Response response = answer(model_.handle(text), delay, true);
    if (text == QLatin1String("KXSTAT"))
        afterStatusQuery(response);
    return response;
}

// The reply's frame, then any later message in a frame of its own; each
// may be lost. A later message keeps its time even when the reply before
// it is lost.
Response Responder::answer(const Reply &reply, int delayMs, bool losable)
{
    Response response{frame(reply.text, delayMs), reply.paper};
    int lostDelayMs = 0;
    if (losable && lost(options_.loseReplies)) {
        for (const ReplyPiece &piece : response.pieces)
            lostDelayMs += piece.delayMs;
        response.pieces.clear();
    }
    if (reply.late && !(losable && lost(options_.loseReplies))) {
        const std::vector<ReplyPiece> later = frame(reply.late->text, lostDelayMs + reply.late->delayMs);
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
    return lost(options_.loseCommands);
}

bool Responder::lost(double chance)
{
    // The generator's 32 bits against the chance: the same on every platform.
    return chance > 0 && double(random_()) < chance * 4294967296.0;
}

int Responder::replyDelay(const QString &command)
{
    for (std::size_t i = 0; i < options_.busy.size(); ++i) {
        if (!busyUsed_[i] && command.startsWith(options_.busy[i].prefix)) {
            busyUsed_[i] = true;
            return options_.busy[i].ms;
        }
    }
    return options_.latencyMs;
}

std::optional<int> Responder::forcedError(const QString &command) const
{
    for (const ErrorRule &rule : options_.errors) {
        if (command.startsWith(rule.prefix))
            return rule.code;
    }
    return std::nullopt;
}

std::vector<ReplyPiece> Responder::frame(const QString &reply, int delayMs) const
{
    QByteArray bytes = toCp1253(reply) + '\r';
    if (options_.eot)
        bytes += '\x04';
    if (reply.startsWith(QLatin1String("DE")) ? !options_.splitErrors : !options_.split)
        return {{delayMs, bytes}};
    const qsizetype half = bytes.size() / 2;
    return {{delayMs, bytes.left(half)}, {kSplitGapMs, bytes.mid(half)}};
}

} // namespace merovan::sim
