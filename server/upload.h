#pragma once
// POST /api/runs: a journal in, an entry out, once the game's own replay has proved the run.

#include "server/api.h"

namespace server {

boost::asio::awaitable<Response> Upload(Api& api, const Request& request,
                                        const std::string& client);

} // namespace server
