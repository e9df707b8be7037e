// The player's folders are IndexedDB's in the browser; every change the game makes to a file is
// handed to the page's storage at once, so a tab closed right after the Killer List keeps its
// new entry.

#include "platform/browser/page_names.h"
#include "platform/host.h"

namespace platform {

void FileWritten(const std::string& path, std::uint64_t offset, std::uint64_t size)
{
    kg_file_written(path.c_str(), static_cast<double>(offset), static_cast<double>(size));
}

void FileRenamed(const std::string& from, const std::string& to)
{
    kg_file_renamed(from.c_str(), to.c_str());
}

void ScreenshotSaved(const std::string& path) { kg_screenshot_saved(path.c_str()); }

} // namespace platform
