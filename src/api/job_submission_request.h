#pragma once

#include "api/api_refusal.h"
#include "api/host_api_backend.h"
#include "api/http_types.h"

namespace merovan {

// The most a request body may hold: 1 MiB.
inline constexpr qsizetype kMaxBodyBytes = 1024 * 1024;
// The most a whole request may hold: the body and room for its head.
inline constexpr qsizetype kMaxRequestBytes = kMaxBodyBytes + 64 * 1024;

// The 413 of a body over kMaxBodyBytes.
HttpResponse tooLargeResponse();

// The Idempotency-Key header: 1 to 200 printable ASCII characters.
Checked<QString> idempotencyKey(const HttpRequest &request);

// The job text of POST /v1/jobs as a job file holds it: Windows-1253 bytes.
// A body whose Content-Type says charset=utf-8 is converted (a leading byte
// order mark dropped); a character Windows-1253 has no byte for is a 400.
// Any other body is taken as Windows-1253 already.
Checked<QByteArray> jobText(const HttpRequest &request);

} // namespace merovan
