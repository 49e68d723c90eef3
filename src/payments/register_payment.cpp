#include "payments/payment_types.h"

#include <array>

namespace merovan {

QString clsPay::PAY_Name() const
{
    constexpr qint16 kPreloadedCard = 3;
    return type_ == kPreloadedCard ? name_ + QStringLiteral(":ΠΡΟΦΟΡΤΩΜΕΝΗ") : name_;
}

int registerPayment(int key, clsPay &out)
{
    static const std::array<QString, 6> names = {
        QStringLiteral("Μετρητά"),   QStringLiteral("Κάρτα"),     QStringLiteral("Πληρωμή C"),
        QStringLiteral("Πληρωμή D"), QStringLiteral("Πληρωμή E"), QStringLiteral("Πληρωμή F"),
    };
    out = clsPay();
    if (key < 1 || key > static_cast<int>(names.size()))
        return -1;
    out.setPAY_Name(names[static_cast<std::size_t>(key - 1)]);
    out.setPAY_active(true);
    return 0;
}

} // namespace merovan
