#include "payments/payment_types.h"

#include <array>

namespace merovan {

QString RegisterPayment::displayName() const
{
    constexpr qint16 kPreloadedCard = 3;
    return type == kPreloadedCard ? name + QStringLiteral(":ΠΡΟΦΟΡΤΩΜΕΝΗ") : name;
}

int registerPayment(int key, RegisterPayment &out)
{
    static const std::array<QString, 6> names = {
        QStringLiteral("Μετρητά"),   QStringLiteral("Κάρτα"),     QStringLiteral("Πληρωμή C"),
        QStringLiteral("Πληρωμή D"), QStringLiteral("Πληρωμή E"), QStringLiteral("Πληρωμή F"),
    };
    out = RegisterPayment();
    if (key < 1 || key > static_cast<int>(names.size()))
        return -1;
    out.name = names[static_cast<std::size_t>(key - 1)];
    out.active = true;
    return 0;
}

} // namespace merovan
