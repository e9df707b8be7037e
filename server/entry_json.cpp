#include "server/entry_json.h"

#include <ctime>

namespace server {
namespace {

std::string IsoDate(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm utc {};
    gmtime_r(&time, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

} // namespace

nlohmann::ordered_json EntryJson(const Entry& entry)
{
    return {{"id", entry.id},
            {"rank", entry.rank},
            {"name", entry.name},
            {"kills", entry.kills},
            {"peakScore", entry.peakScore},
            {"score", entry.score},
            {"frames", entry.frames},
            {"date", IsoDate(entry.date)},
            {"journal", "/api/runs/" + std::to_string(entry.id) + "/journal"}};
}

} // namespace server
