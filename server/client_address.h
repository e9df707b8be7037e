#pragma once
// Who sent a request: the connection's peer, or, when the peer is one of the configured
// proxies, the address the proxies put in X-Forwarded-For (read from the right, past every
// trusted proxy). A client's own X-Forwarded-For is never believed.

#include <string>
#include <string_view>
#include <vector>

namespace server {

std::string ClientAddress(const std::string& peer, std::string_view forwardedFor,
                          const std::vector<std::string>& trustedProxies);

} // namespace server
