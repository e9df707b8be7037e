#include "platform/backend/headless/output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

bool CanCreate(const std::string& path, std::string& error)
{
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const bool made = file >= 0;
    // A file that is already there is only opened, never truncated before the run writes it.
    if (!made && errno == EEXIST) file = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (file < 0) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    close(file);
    if (made) unlink(path.c_str());
    return true;
}

} // namespace

bool CheckOutputFiles(const BackendOptions& options, std::string& error)
{
    if (!options.wavPath.empty() && !CanCreate(options.wavPath, error)) return false;
    for (const ScreenshotRequest& screenshot : options.screenshots) {
        if (!CanCreate(screenshot.path, error)) return false;
    }
    return true;
}

} // namespace platform
