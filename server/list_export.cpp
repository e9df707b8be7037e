#include "server/list_export.h"

#include <fstream>

#include "server/list_index.h"

namespace server {
namespace {

constexpr std::uint64_t entriesAtOnce = 500;

bool WriteFile(const std::filesystem::path& path, const std::string& bytes, std::string& error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    error = "cannot write " + path.string();
    return false;
}

bool EmptyFolder(const std::filesystem::path& folder, std::string& error)
{
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (!failure && std::filesystem::is_empty(folder, failure)) return true;
    error = failure ? "cannot make the folder " + folder.string() + ": " + failure.message()
                    : folder.string() + " is not empty: export into a new or empty folder";
    return false;
}

} // namespace

std::optional<std::size_t> ExportList(Storage& storage, const std::filesystem::path& folder,
                                      std::string& error)
{
    if (!EmptyFolder(folder, error)) return std::nullopt;
    const std::string databaseAway = "the database could not be read";
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    // Oldest first, by id: entries added meanwhile come after, none is missed or written twice.
    for (std::int64_t last = 0;;) {
        const auto entries = storage.Oldest(last, entriesAtOnce);
        if (!entries) {
            error = databaseAway;
            return std::nullopt;
        }
        if (entries->empty()) break;
        for (const Entry& entry : *entries) {
            const auto journal = storage.Journal(entry.id);
            if (!journal || !*journal) {
                error = databaseAway;
                return std::nullopt;
            }
            if (!WriteFile(folder / JournalFileName(entry.id), **journal, error))
                return std::nullopt;
            lines.push_back(IndexLine(entry));
        }
        last = entries->back().id;
    }
    const nlohmann::ordered_json index = {{"format", indexFormat}, {"entries", lines}};
    const std::string text =
        index.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    if (!WriteFile(folder / indexName, text, error)) return std::nullopt;
    return lines.size();
}

} // namespace server
