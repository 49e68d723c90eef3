#pragma once

#include "api/host_api_backend.h"

#include <QByteArray>

namespace merovan {

// The counters in the Prometheus text format, version 0.0.4.
QByteArray metricsText(const BridgeMetrics &metrics);

// Its Content-Type.
inline constexpr char kMetricsContentType[] = "text/plain; version=0.0.4; charset=utf-8";

} // namespace merovan
