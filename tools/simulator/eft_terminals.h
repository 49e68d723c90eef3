#pragma once

#include "reply.h"

#include <QMap>
#include <QString>
#include <QtGlobal>

#include <deque>
#include <optional>
#include <vector>

namespace merovan::sim {

// What a card terminal attached to the register makes of a card payment,
// and how long after the register's own reply its verdict arrives.
struct TerminalVerdict {
    enum class Kind { Approve, Decline, NoContact, Silent };
    Kind kind = Kind::Approve;
    QString code;       // Decline: the terminal's failure code, e.g. "05"; Approve: "355" or "356", empty for 358
    int delayMs = 1000;

    bool operator==(const TerminalVerdict &) const = default;
};

// The verdicts of one terminal, in turn, the last one repeating:
// "approve[:MS]" (358OK), "approve355[:MS]", "approve356[:MS]",
// "decline:CODE[:MS]", "cntfail[:MS]" or "silent", separated by ",".
// Nothing when the text is not of that shape.
std::optional<std::vector<TerminalVerdict>> parseVerdicts(const QString &text);

// The terminal's answer to one card payment: whether it paid, and the
// message that the register passes on later (none from a silent terminal).
struct TerminalAnswer {
    bool approved = false;
    std::optional<LateMessage> message;
};

// The card terminals attached to the register, by number. A terminal that
// is not attached is reported inactive by the register.
class EftTerminals {
public:
    void attach(int number, std::vector<TerminalVerdict> verdicts);

    // The next verdict of the terminal for a payment of `cents`.
    TerminalAnswer pay(int number, qint64 cents);

private:
    QString approval(int number, qint64 cents, const QString &kind);

    QMap<int, std::deque<TerminalVerdict>> verdicts_;
    QMap<int, int> transactions_; // approved so far, per terminal
};

} // namespace merovan::sim
