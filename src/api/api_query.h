#pragma once

#include "api/api_refusal.h"
#include "api/http_types.h"

namespace merovan {

// The longest a long poll waits, in seconds.
inline constexpr int kMaxWaitSeconds = 60;

// A whole number of the query, from..to; fallback when the query lacks it.
// Anything else is a 400.
Checked<qint64> queryNumber(const HttpRequest &request, const QString &name, qint64 from, qint64 to, qint64 fallback);

// ?wait=SECONDS, 0..60; 0 when absent.
Checked<qint64> waitSeconds(const HttpRequest &request);

} // namespace merovan
