#include "reply.h"

namespace merovan::sim {

Reply Reply::ok(QStringList paper)
{
    return {QStringLiteral("00 OK"), std::move(paper)};
}

Reply Reply::error(int code)
{
    return {QStringLiteral("DE%1").arg(code, 4, 10, QLatin1Char('0')), {}};
}

} // namespace merovan::sim
