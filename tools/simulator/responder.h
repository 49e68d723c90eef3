#pragma once

#include "register_model.h"
#include "sim_options.h"

#include <QByteArray>
#include <QStringList>

#include <optional>
#include <random>
#include <vector>

namespace merovan::sim {

// Wait delayMs, then send bytes.
struct ReplyPiece {
    int delayMs = 0;
    QByteArray bytes;

    bool operator==(const ReplyPiece &) const = default;
};

struct Response {
    std::vector<ReplyPiece> pieces; // empty: no answer
    QStringList paper;              // lines the register printed
};

// What goes back on the line for a command received: the register model's
// reply in its frame (CR, EOT), cut and delayed as the switches say, or no
// answer at all, then any message the register sends later on its own. A
// command that is dropped, silenced or answered with a forced error never
// reaches the model, as if the register had not heard it.
//
// A command or a reply may be lost by chance (--lose-commands,
// --lose-replies): a lost command never reaches the model, a lost reply is
// lost after the model has acted, so the paper roll still shows what the
// register did. The chances come from a generator started from --seed, so
// the same commands give the same losses.
//
// A datagram that begins "SIM:" is no command: it is the operator at the
// register's keyboard, and so are the keys that the switches give after a
// number of status queries; neither is ever lost.
class Responder {
public:
    static constexpr int kSplitGapMs = 30;
    static constexpr QLatin1StringView kOperatorPrefix{"SIM:"};

    Responder(SimOptions options, RegisterModel &model);

    // command: the bytes received, without their CR LF.
    Response respond(const QByteArray &command);

private:
    bool unanswered(const QString &command);
    bool lost(double chance);
    std::optional<int> forcedError(const QString &command) const;
    int replyDelay(const QString &command);
    std::vector<ReplyPiece> frame(const QString &reply, int delayMs) const;
    Response answer(const Reply &reply, int delayMs, bool losable);
    void afterStatusQuery(Response &response);

    SimOptions options_;
    RegisterModel &model_;
    std::mt19937 random_;
    std::vector<bool> busyUsed_; // per --busy-on rule
    int dropped_ = 0;
    int statusQueries_ = 0;
};

} // namespace merovan::sim
