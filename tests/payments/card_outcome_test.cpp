#include "payments/card_flow.h"

#include "record_printer.h"

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(CardPaymentOutcome, ReadsTheRegistersAnswer)
{
    const struct {
        const char *answer;
        qint16 outcome;
    } cases[] = {
        {"", 0}, {"358OK:1234", 0}, {"356OK", 0}, {" 355OK123 : 05", 0}, {"358ok:05", 1}, {"35OK:05", 1},
        {"CntFail", 2}, {" CntFail :xx", 2}, {"CntFailed", 0}, {"ERR:03", 2}, {"ERR:04", 2},
        {"ERR:05", 1}, {"ERR: 06 :x", 1}, {"ERR:09", 1}, {"ERR:33", 1}, {"ERR:66", 1},
        {"ERR:001", 2}, {"ERR:002", 2}, {"ERR:003", 2}, {"ERR:004", 2}, {"ERR:100", 2}, {"ERR:500", 2},
        {"ERR:501", 2}, {"ERR:999", 3}, {"ERR:ECR INACTIVE EFTPOS", 2}, {"ERROR:12", 0}, {"ERR:5", 0},
        {"ERR:x:05", 0}, {"05", 0}, {"CntFail:05", 1}, {"CntFail:999", 3},
        {"SEND:TIMEOUT WHILE SEND DATA TO POS", 4}, {"ERR:05:SEND:TIMEOUT WHILE SEND DATA TO POS", 4},
        {"SEND:TIMEOUT WHILE SEND DATA", 0}, {"send:timeout while send data to pos", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CardPaymentOutcome(QString::fromUtf8(c.answer)), c.outcome) << '"' << c.answer << '"';
}

TEST(CurrentCardPayment, StartsAtZeroIsReplacedWholeAndForgetsOnlyItsTerminal)
{
    CurrentCardPayment current;
    EXPECT_EQ(current.read(), PaymentTypeRecord());
    current.replace({2, 2, 1, -1, 3, 1, 10});
    current.clearTerminal();
    EXPECT_EQ(current.read(), (PaymentTypeRecord{2, 2, 0, -1, 3, 1, 10}));
}

} // namespace
} // namespace merovan
