#pragma once

#include "api/api_access.h"
#include "api/http_types.h"

namespace merovan {

// The CORS headers of an answer: the request's Origin when it is one of
// [http origins], none otherwise (the browser then keeps the answer from
// the page).
HttpHeaders corsHeaders(const ApiAccessRules &rules, const HttpRequest &request);

// The answer to a preflight (OPTIONS): 204 with what a listed origin may
// send, including the private-network permission a public page asks for
// before it calls an address on the local network; 403 for another origin.
HttpResponse preflightResponse(const ApiAccessRules &rules, const HttpRequest &request);

} // namespace merovan
