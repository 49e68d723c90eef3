#include "payments/payment_types.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(RegisterPayment, KeysOneToSixAreTheRegistersNamedPaymentsAndNoOthers)
{
    const struct {
        int key;
        int result;
        const char *name;
    } cases[] = {{1, 0, "Μετρητά"}, {2, 0, "Κάρτα"}, {3, 0, "Πληρωμή C"}, {4, 0, "Πληρωμή D"},
                 {5, 0, "Πληρωμή E"}, {6, 0, "Πληρωμή F"}, {7, -1, ""}, {0, -1, ""}, {-1, -1, ""}};
    for (const auto &c : cases) {
        clsPay pay;
        pay.setPAY_Name(QStringLiteral("old"));
        pay.setPAY_active(c.result != 0);
        pay.setPAY_type(3);
        pay.setPAY_PayDelay(5);
        EXPECT_EQ(registerPayment(c.key, pay), c.result) << c.key;
        EXPECT_EQ(pay.PAY_Name(), QString::fromUtf8(c.name));
        EXPECT_EQ(pay.PAY_active(), c.result == 0) << c.key;
        EXPECT_EQ(pay.PAY_type(), 0);
        EXPECT_EQ(pay.PAY_PayDelay(), 0);
    }
}

TEST(RegisterPayment, APreloadedCardSaysSoAfterItsName)
{
    clsPay pay;
    ASSERT_EQ(registerPayment(2, pay), 0);
    const std::pair<qint16, const char *> cases[] = {{0, "Κάρτα"}, {2, "Κάρτα"}, {3, "Κάρτα:ΠΡΟΦΟΡΤΩΜΕΝΗ"}, {9, "Κάρτα"}};
    for (const auto &[type, name] : cases) {
        pay.setPAY_type(type);
        EXPECT_EQ(pay.PAY_Name(), QString::fromUtf8(name)) << type;
    }
}

} // namespace
} // namespace merovan
