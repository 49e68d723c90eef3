#include "register_model.h"

namespace merovan::sim {

void RegisterModel::setStatusError(int code) { statusError_ = code; }

Reply RegisterModel::keyedByOperator(const QString &keys)
{
    if (keys == QLatin1String("CLEAR")) {
        statusError_ = 0;
        return Reply::ok();
    }
    return handle(keys);
}

} // namespace merovan::sim
