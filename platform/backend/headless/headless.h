#pragma once
// Inside the platform layer: the headless backend.

#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/backend/backend_interface.h"

namespace platform {

// Virtual time starts at 0 and moves 1 ms per message pump; timeGetTime answers 1,000,000 more,
// as a machine's clock is always far from its start. Null, with the reason, when the script
// cannot be read.
std::unique_ptr<Backend> MakeHeadlessBackend(const BackendOptions& options, std::string& error);

} // namespace platform
