#pragma once
// What the server has done, for Prometheus: requests by route and status, verifications by
// outcome and their seconds, refusals by reason. Routes and reasons are the server's own words,
// never a client's, so the number of series stays fixed.

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace server {

class Metrics {
public:
    void Request(const std::string& route, unsigned status);
    void Verification(const std::string& outcome, double seconds);
    void Refusal(const std::string& reason);
    // The text format, with the gauges given; the entries' gauge is left out while the database
    // cannot be reached.
    std::string Text(std::size_t queueLength, std::size_t running,
                     std::optional<std::uint64_t> entries);

private:
    static constexpr std::array<double, 9> bounds = {0.1, 0.25, 0.5, 1, 2.5, 5, 10, 30, 60};

    std::mutex mutex;
    std::map<std::pair<std::string, unsigned>, std::uint64_t> requests;
    std::map<std::string, std::uint64_t> verifications;
    std::map<std::string, std::uint64_t> refusals;
    std::array<std::uint64_t, bounds.size()> secondsBuckets {};
    std::uint64_t secondsCount = 0;
    double secondsSum = 0;
};

} // namespace server
