#include "server/rate_limit.h"

#include <algorithm>
#include <cmath>

namespace server {
namespace {

constexpr std::size_t mostAddresses = 100000;

} // namespace

std::size_t RateLimit::Take(const std::string& address, Clock::time_point now)
{
    if (perMinute == 0) return 0;
    std::lock_guard lock(mutex);
    if (buckets.size() >= mostAddresses && !buckets.contains(address)) Forget(now);
    const double full = static_cast<double>(perMinute);
    const double perSecond = full / 60;
    auto [place, added] = buckets.try_emplace(address, Bucket {full, now});
    Bucket& bucket = place->second;
    const double elapsed = std::chrono::duration<double>(now - bucket.last).count();
    bucket.tokens = std::min(full, bucket.tokens + elapsed * perSecond);
    bucket.last = now;
    if (bucket.tokens >= 1) {
        bucket.tokens -= 1;
        return 0;
    }
    return static_cast<std::size_t>(std::ceil((1 - bucket.tokens) / perSecond));
}

void RateLimit::Forget(Clock::time_point now)
{
    const double perSecond = static_cast<double>(perMinute) / 60;
    std::erase_if(buckets, [&](const auto& entry) {
        const double elapsed = std::chrono::duration<double>(now - entry.second.last).count();
        return entry.second.tokens + elapsed * perSecond >= static_cast<double>(perMinute);
    });
    // Every address sent lately: those quiet for half a minute go, and should that free nothing
    // (a flood from more addresses than any limit per address can stop) the table starts anew.
    if (buckets.size() >= mostAddresses) {
        std::erase_if(buckets, [&](const auto& entry) {
            return now - entry.second.last > std::chrono::seconds(30);
        });
    }
    if (buckets.size() >= mostAddresses) buckets.clear();
}

} // namespace server
