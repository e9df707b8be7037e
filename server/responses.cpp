#include "server/responses.h"

namespace server {

Response JsonResponse(http::status status, const nlohmann::ordered_json& body, unsigned version)
{
    Response response {status, version};
    response.set(http::field::content_type, "application/json; charset=utf-8");
    response.set(http::field::cache_control, "no-store");
    response.body() =
        body.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    return response;
}

Response Refusal(http::status status, const std::string& reason, const std::string& message,
                 unsigned version)
{
    return JsonResponse(status, {{"error", message}, {"reason", reason}}, version);
}

Response RetryLater(http::status status, const std::string& reason, const std::string& message,
                    std::size_t seconds, unsigned version)
{
    Response response = Refusal(status, reason, message, version);
    response.set(http::field::retry_after, std::to_string(seconds));
    return response;
}

Response DatabaseAway(unsigned version)
{
    // A restarted database is usually back within this long.
    constexpr std::size_t seconds = 2;
    return RetryLater(http::status::service_unavailable, "database",
                      "the list's database cannot be reached; try again shortly", seconds, version);
}

Response ErrorResponse(http::status status, const std::string& message, unsigned version)
{
    return Refusal(status, "malformed", message, version);
}

} // namespace server
