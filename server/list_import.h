#pragma once
// killglimbot-server --import DIR: rebuilds a list from an export without trusting the database
// it came from. Each journal is replayed again by the game, and the entry is made from what the
// replay proves; the index gives only each entry's order, name and date, so ranks come out as
// they were.

#include <filesystem>
#include <functional>
#include <string>

#include "server/storage.h"
#include "server/verifier.h"

namespace server {

struct ImportCount {
    std::size_t added = 0;
    std::size_t present = 0; // listed already: a second import of the same export adds nothing
    std::size_t skipped = 0;
};

// Lists the runs exported in `folder` into `storage`, oldest first. A run whose journal is
// missing, changed, larger than `largestJournal`, refused by the game or a copy of a listed run
// is told to `say` and skipped. False, with the reason in `error`, when the index cannot be read,
// the game cannot be run or the database fails; what was listed until then stays.
bool ImportList(Storage& storage, Verifier& verifier, const std::filesystem::path& folder,
                std::size_t largestJournal, const std::function<void(const std::string&)>& say,
                ImportCount& count, std::string& error);

} // namespace server
