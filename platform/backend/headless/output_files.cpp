#include "platform/backend/headless/output_files.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "platform/port/owned_file.h"

namespace platform {
namespace {

bool CanCreate(const std::string& path, std::string& error)
{
    int err = 0;
    auto file = OwnedFile::Open(path, O_WRONLY | O_CREAT | O_EXCL, FileLock::Shared, err);
    const bool made = file.has_value();
    // A file that is already there is only opened, never emptied before the run writes it.
    if (!made && err == EEXIST) file = OwnedFile::Open(path, O_WRONLY, FileLock::Shared, err);
    if (!file) {
        error = "cannot create " + path + ": " + std::strerror(err);
        return false;
    }
    file->Close();
    if (made) RemoveFile(path, err);
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
