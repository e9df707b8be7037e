#pragma once
// The server's answers: the JSON API under /api, /healthz, /metrics, and the page's files.

// Boost 1.74's awaitable uses std::exchange without including its header.
#include <utility>

#include <boost/asio/awaitable.hpp>
#include <boost/beast/http.hpp>
#include <string>

#include "server/list_cache.h"
#include "server/metrics.h"
#include "server/page_files.h"
#include "server/rate_limit.h"
#include "server/server_settings.h"
#include "server/storage.h"
#include "server/verifier.h"

namespace server {

namespace http = boost::beast::http;
using Request = http::request<http::string_body>;
using Response = http::response<http::string_body>;

// Beast's text as the standard library's.
inline std::string_view View(boost::beast::string_view text) { return {text.data(), text.size()}; }

struct Api {
    const Settings& settings;
    Storage& storage;
    Verifier& verifier;
    Metrics& metrics;
    RateLimit& uploads;
    const PageFiles& page;
    ListCache& list;
};

// The answer to `request` from the address `client`; `route` is set to the name of the route
// taken, for the log and the metrics.
boost::asio::awaitable<Response> Answer(Api& api, const Request& request, const std::string& client,
                                        std::string& route);

// An answer with a JSON body {"error": message}, for requests that go no further.
Response ErrorResponse(http::status status, const std::string& message, unsigned version);

} // namespace server
