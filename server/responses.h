#pragma once
// The shapes of the server's answers.

#include <nlohmann/json.hpp>
#include <string>

#include "server/api.h"

namespace server {

Response JsonResponse(http::status status, const nlohmann::ordered_json& body, unsigned version);
// {"error": message, "reason": reason}: `reason` is a fixed word a program can test.
Response Refusal(http::status status, const std::string& reason, const std::string& message,
                 unsigned version);
// A refusal to come back after `seconds` (429, 503).
Response RetryLater(http::status status, const std::string& reason, const std::string& message,
                    std::size_t seconds, unsigned version);
// The database cannot be reached for now: 503, to come back in a moment.
Response DatabaseAway(unsigned version);

} // namespace server
