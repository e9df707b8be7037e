#include "server/metrics.h"

#include <sstream>

namespace server {
namespace {

// A metric's help and type lines, as Prometheus' text format opens each family.
void Family(std::ostream& out, const char* name, const char* type, const char* help)
{
    out << "# HELP killglimbot_" << name << ' ' << help << "\n# TYPE killglimbot_" << name << ' '
        << type << '\n';
}

void Gauge(std::ostream& out, const char* name, const char* help, std::uint64_t value)
{
    Family(out, name, "gauge", help);
    out << "killglimbot_" << name << ' ' << value << '\n';
}

} // namespace

void Metrics::Request(const std::string& route, unsigned status)
{
    std::lock_guard lock(mutex);
    ++requests[{route, status}];
}

void Metrics::Verification(const std::string& outcome, double seconds)
{
    std::lock_guard lock(mutex);
    ++verifications[outcome];
    for (std::size_t i = 0; i < bounds.size(); ++i)
        if (seconds <= bounds[i]) ++secondsBuckets[i];
    ++secondsCount;
    secondsSum += seconds;
}

void Metrics::Refusal(const std::string& reason)
{
    std::lock_guard lock(mutex);
    ++refusals[reason];
}

std::string Metrics::Text(std::size_t queueLength, std::size_t running,
                          std::optional<std::uint64_t> entries)
{
    std::lock_guard lock(mutex);
    std::ostringstream out;
    Family(out, "requests_total", "counter", "Requests answered, by route and status.");
    for (const auto& [key, count] : requests)
        out << "killglimbot_requests_total{route=\"" << key.first << "\",status=\"" << key.second
            << "\"} " << count << '\n';
    Family(out, "verifications_total", "counter", "Runs replayed, by outcome.");
    for (const auto& [outcome, count] : verifications)
        out << "killglimbot_verifications_total{outcome=\"" << outcome << "\"} " << count << '\n';
    Family(out, "verification_seconds", "histogram", "Wall time of one replay.");
    for (std::size_t i = 0; i < bounds.size(); ++i)
        out << "killglimbot_verification_seconds_bucket{le=\"" << bounds[i] << "\"} "
            << secondsBuckets[i] << '\n';
    out << "killglimbot_verification_seconds_bucket{le=\"+Inf\"} " << secondsCount << '\n'
        << "killglimbot_verification_seconds_sum " << secondsSum << '\n'
        << "killglimbot_verification_seconds_count " << secondsCount << '\n';
    Family(out, "refusals_total", "counter", "Uploads refused, by reason.");
    for (const auto& [reason, count] : refusals)
        out << "killglimbot_refusals_total{reason=\"" << reason << "\"} " << count << '\n';
    Gauge(out, "verification_queue", "Runs waiting for a verification.", queueLength);
    Gauge(out, "verifications_running", "Runs being replayed now.", running);
    if (entries) Gauge(out, "entries", "Entries on the world list.", *entries);
    return out.str();
}

} // namespace server
