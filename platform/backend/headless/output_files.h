#pragma once
// Inside the platform layer: the files a headless run writes (its sound, its screenshots) are
// tried before the run starts, so that a name that cannot be written stops it at once.

#include <string>

#include "platform/backend.h"

namespace platform {

// False, with a one-line reason, when one of the options' output files cannot be created.
// Nothing is left behind: a file the check had to make is removed again.
bool CheckOutputFiles(const BackendOptions& options, std::string& error);

} // namespace platform
