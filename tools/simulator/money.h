#pragma once

#include <QString>
#include <QtGlobal>

namespace merovan::sim {

// Amounts are whole hundredths, quantities whole thousandths, percentages
// whole hundredths of a percent, as they travel in the commands. Results
// are rounded half away from zero, to the hundredth.

inline constexpr qint64 kQuantityOne = 1000;

// A line or a receipt holds at most nine digits of hundredths, as many as a
// command carries; the register refuses what would go beyond. Kept within
// it, no product below can overflow.
inline constexpr qint64 kAmountLimit = 999'999'999;

inline bool withinAmountLimit(qint64 amount)
{
    return amount >= -kAmountLimit && amount <= kAmountLimit;
}

// price times quantity: 150 and 2000 give 300.
qint64 extendedAmount(qint64 price, qint64 quantity);

// percent of amount: 150 and 1000 (10%) give 15.
qint64 percentOf(qint64 amount, qint64 percent);

// As printed: 1234 gives "12,34", -30 gives "-0,30".
QString formatAmount(qint64 hundredths);

// As printed: 2000 gives "2", 1500 gives "1,500".
QString formatQuantity(qint64 thousandths);

} // namespace merovan::sim
