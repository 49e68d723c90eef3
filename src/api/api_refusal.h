#pragma once

#include "api/api_responses.h"

#include <QString>

#include <variant>

namespace merovan {

// Why a request is answered with an error.
struct ApiRefusal {
    ApiError error = ApiError::BadRequest;
    QString message;

    HttpResponse response() const { return errorResponse(error, message); }
};

// A value read from a request, or why it could not be.
template <typename Value>
using Checked = std::variant<Value, ApiRefusal>;

} // namespace merovan
