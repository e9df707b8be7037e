#include "server/list_index.h"

namespace server {
namespace {

template <typename T> bool Field(const nlohmann::json& line, const char* key, T& value)
{
    const auto found = line.find(key);
    if (found == line.end()) return false;
    if constexpr (std::is_same_v<T, std::string>) {
        if (!found->is_string()) return false;
    } else if (!found->is_number_integer()) {
        return false;
    }
    value = found->get<T>();
    return true;
}

// A name in the folder itself: an index cannot make the import read a file elsewhere.
bool PlainName(const std::string& name)
{
    return !name.empty() && name.front() != '.' && name.find('/') == std::string::npos
           && name.find('\0') == std::string::npos;
}

} // namespace

std::string JournalFileName(std::int64_t id) { return "run-" + std::to_string(id) + ".kgr"; }

nlohmann::ordered_json IndexLine(const Entry& entry)
{
    return {{"id", entry.id},         {"file", JournalFileName(entry.id)},
            {"sha256", entry.sha256}, {"name", entry.name},
            {"kills", entry.kills},   {"peakScore", entry.peakScore},
            {"score", entry.score},   {"frames", entry.frames},
            {"date", entry.date}};
}

std::optional<Entry> ReadIndexLine(const nlohmann::json& line, std::string& file)
{
    Entry entry;
    if (!line.is_object() || !Field(line, "id", entry.id) || !Field(line, "file", file)
        || !Field(line, "sha256", entry.sha256) || !Field(line, "name", entry.name)
        || !Field(line, "kills", entry.kills) || !Field(line, "peakScore", entry.peakScore)
        || !Field(line, "score", entry.score) || !Field(line, "frames", entry.frames)
        || !Field(line, "date", entry.date) || !PlainName(file))
        return std::nullopt;
    return entry;
}

} // namespace server
