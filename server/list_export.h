#pragma once
// killglimbot-server --export DIR: the whole list, with its journals, as files that another
// server (on either store, of this version or a newer one) imports by replaying them again.

#include <filesystem>
#include <optional>
#include <string>

#include "server/storage.h"

namespace server {

// Writes every entry of `storage` into `folder`, which is made when missing and must be empty:
// each journal first, then the index, so that an export cut short has no index. The number of
// entries written, or none with the reason in `error`.
std::optional<std::size_t> ExportList(Storage& storage, const std::filesystem::path& folder,
                                      std::string& error);

} // namespace server
