#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace merovan::sim {

// A message the register sends on its own after its reply: a card
// terminal's verdict.
struct LateMessage {
    int delayMs = 0;
    QString text;

    bool operator==(const LateMessage &) const = default;
};

// What the register answers to one command, before framing (CR, EOT), what
// it printed while doing it, and what it sends later.
struct Reply {
    QString text;
    QStringList paper;
    std::optional<LateMessage> late = {};

    static Reply ok(QStringList paper = {});
    // "DE" and the code in four digits: 1038 gives DE1038, 6 gives DE0006.
    static Reply error(int code);
};

// Error codes the model answers with.
namespace code {
inline constexpr int kWrongOperation = 6;     // unknown command, or one out of turn
inline constexpr int kWrongQuantity = 1005;
inline constexpr int kWrongAmount = 1011;
inline constexpr int kReceiptOpen = 1038;
inline constexpr int kDiscountTooLarge = 1044;
} // namespace code

} // namespace merovan::sim
