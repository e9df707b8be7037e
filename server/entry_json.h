#pragma once
// An entry of the world list as the API shows it.

#include <nlohmann/json.hpp>

#include "server/storage.h"

namespace server {

nlohmann::ordered_json EntryJson(const Entry& entry);

} // namespace server
