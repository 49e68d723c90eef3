#pragma once

#include <QString>
#include <QStringList>

namespace merovan::sim {

// What the register answers to one command, before framing (CR, EOT), and
// what it printed while doing it.
struct Reply {
    QString text;
    QStringList paper;

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
