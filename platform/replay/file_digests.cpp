#include "platform/replay/file_digests.h"

#include <algorithm>

#include "platform/kernel.h"

namespace platform::journal {

// The size counts whole, so that bytes the game never reads still tell another file.
void FileDigests::Opened(HANDLE file, const char* name)
{
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    open[file] = Reading {name, (std::uint64_t {high} << 32) | low, {}};
}

void FileDigests::Read(HANDLE file, const void* data, DWORD size)
{
    const auto found = open.find(file);
    if (found != open.end()) found->second.digest.Add(data, size);
}

// A file read the same way twice counts once; a file only looked at, or read in part, counts
// apart from its whole reading.
void FileDigests::Closed(HANDLE file)
{
    const auto found = open.find(file);
    if (found == open.end()) return;
    const Reading& reading = found->second;
    const FileDigest closed {reading.name, reading.size, reading.digest.Value()};
    if (std::find(files.begin(), files.end(), closed) == files.end()) files.push_back(closed);
    open.erase(found);
}

} // namespace platform::journal
