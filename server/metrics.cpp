#include "server/metrics.h"

#include <sstream>

namespace server {

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

std::string Metrics::Text(std::size_t queueLength, std::size_t running, std::uint64_t entries)
{
    std::lock_guard lock(mutex);
    std::ostringstream out;
    out << "# HELP killglimbot_requests_total Requests answered, by route and status.\n"
        << "# TYPE killglimbot_requests_total counter\n";
    for (const auto& [key, count] : requests)
        out << "killglimbot_requests_total{route=\"" << key.first << "\",status=\"" << key.second
            << "\"} " << count << '\n';
    out << "# HELP killglimbot_verifications_total Runs replayed, by outcome.\n"
        << "# TYPE killglimbot_verifications_total counter\n";
    for (const auto& [outcome, count] : verifications)
        out << "killglimbot_verifications_total{outcome=\"" << outcome << "\"} " << count << '\n';
    out << "# HELP killglimbot_verification_seconds Wall time of one replay.\n"
        << "# TYPE killglimbot_verification_seconds histogram\n";
    for (std::size_t i = 0; i < bounds.size(); ++i)
        out << "killglimbot_verification_seconds_bucket{le=\"" << bounds[i] << "\"} "
            << secondsBuckets[i] << '\n';
    out << "killglimbot_verification_seconds_bucket{le=\"+Inf\"} " << secondsCount << '\n'
        << "killglimbot_verification_seconds_sum " << secondsSum << '\n'
        << "killglimbot_verification_seconds_count " << secondsCount << '\n';
    out << "# HELP killglimbot_refusals_total Uploads refused, by reason.\n"
        << "# TYPE killglimbot_refusals_total counter\n";
    for (const auto& [reason, count] : refusals)
        out << "killglimbot_refusals_total{reason=\"" << reason << "\"} " << count << '\n';
    out << "# HELP killglimbot_verification_queue Runs waiting for a verification.\n"
        << "# TYPE killglimbot_verification_queue gauge\n"
        << "killglimbot_verification_queue " << queueLength << '\n'
        << "# HELP killglimbot_verifications_running Runs being replayed now.\n"
        << "# TYPE killglimbot_verifications_running gauge\n"
        << "killglimbot_verifications_running " << running << '\n'
        << "# HELP killglimbot_entries Entries on the world list.\n"
        << "# TYPE killglimbot_entries gauge\n"
        << "killglimbot_entries " << entries << '\n';
    return out.str();
}

} // namespace server
