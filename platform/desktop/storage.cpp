// On a desktop the kernel keeps what was written: there is nothing more to do.

#include "platform/host.h"

namespace platform {

void FileWritten(const std::string&, std::uint64_t, std::uint64_t) {}

void FileRenamed(const std::string&, const std::string&) {}

void ScreenshotSaved(const std::string&) {}

} // namespace platform
