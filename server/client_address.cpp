#include "server/client_address.h"

#include <algorithm>
#include <boost/asio/ip/address.hpp>

namespace server {
namespace {

bool Trusted(const std::string& address, const std::vector<std::string>& proxies)
{
    return std::find(proxies.begin(), proxies.end(), address) != proxies.end();
}

std::string_view Trimmed(std::string_view text)
{
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

} // namespace

std::string ClientAddress(const std::string& peer, std::string_view forwardedFor,
                          const std::vector<std::string>& trustedProxies)
{
    if (!Trusted(peer, trustedProxies)) return peer;
    std::string client = peer;
    while (!forwardedFor.empty()) {
        const std::size_t comma = forwardedFor.rfind(',');
        const std::string_view last = Trimmed(
            comma == std::string_view::npos ? forwardedFor : forwardedFor.substr(comma + 1));
        forwardedFor =
            comma == std::string_view::npos ? std::string_view {} : forwardedFor.substr(0, comma);
        boost::system::error_code error;
        const auto address = boost::asio::ip::make_address(std::string(last), error);
        // What the proxies wrote is checked too: a malformed hop ends the walk.
        if (error) break;
        client = address.to_string();
        if (!Trusted(client, trustedProxies)) break;
    }
    return client;
}

} // namespace server
