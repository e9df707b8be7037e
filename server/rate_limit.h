#pragma once
// Uploads per address: a bucket of `perMinute` uploads that refills at that rate, so an address
// may send a burst and then keeps to the rate. The table of addresses stays bounded: when it is
// full, the buckets that have refilled are forgotten, since they hold nothing.

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

namespace server {

class RateLimit {
public:
    using Clock = std::chrono::steady_clock;

    explicit RateLimit(std::size_t uploadsPerMinute) : perMinute(uploadsPerMinute) {}
    // 0 when `address` may upload now (the upload is counted); else the seconds to wait.
    std::size_t Take(const std::string& address, Clock::time_point now = Clock::now());

private:
    struct Bucket {
        double tokens = 0;
        Clock::time_point last;
    };

    void Forget(Clock::time_point now);

    std::size_t perMinute; // 0: no limit
    std::mutex mutex;
    std::unordered_map<std::string, Bucket> buckets;
};

} // namespace server
