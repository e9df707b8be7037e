#pragma once
// An exported list: one file of each entry's journal, run-ID.kgr, and index.json, which lists
// the entries oldest first with the name of their journal's file.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "server/storage.h"

namespace server {

inline constexpr char indexName[] = "index.json";
inline constexpr int indexFormat = 1;

std::string JournalFileName(std::int64_t id);
nlohmann::ordered_json IndexLine(const Entry& entry);
// The entry one line of an index describes and its journal's file; none when a field is
// missing or of another type, or the file is not a plain name inside the export's folder.
std::optional<Entry> ReadIndexLine(const nlohmann::json& line, std::string& file);

} // namespace server
