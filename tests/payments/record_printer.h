#pragma once

#include "payments/payment_types.h"

#include <ostream>

namespace merovan {

// Readable failure messages for payment-type records.
inline void PrintTo(const PaymentTypeRecord &r, std::ostream *os)
{
    *os << '{' << r.PAY_iD << ' ' << r.PAY_type << ' ' << r.PAY_EftTerminal << ' ' << r.PAY_active << ' '
        << r.PAY_retries << ' ' << r.PAY_PayID << ' ' << r.PAY_PayDelay << '}';
}

} // namespace merovan
