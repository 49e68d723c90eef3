#pragma once

#include "api/host_api_backend.h"

#include <QJsonObject>

namespace merovan {

// The JSON shapes of the host API.
QString jobUrl(qint64 id);
QJsonObject jobJson(const JobRecord &job);
QJsonObject statusJson(const BridgeStatus &status);
// {"lines": [{"seq": 5, "text": "..."}], "last": SEQ}: last is the newest
// line's seq, or after when there is none.
QJsonObject logJson(const QList<LogLine> &lines, qint64 after);

} // namespace merovan
