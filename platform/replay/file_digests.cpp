#include "platform/replay/file_digests.h"

#include <algorithm>

namespace platform::journal {

void FileDigests::Opened(HANDLE file, const char* name) { open[file] = Reading {name, 0, {}}; }

void FileDigests::Read(HANDLE file, const void* data, DWORD size)
{
    const auto found = open.find(file);
    if (found == open.end()) return;
    found->second.digest.Add(data, size);
    found->second.size += size;
}

// A file read twice counts once, as first read.
void FileDigests::Closed(HANDLE file)
{
    const auto found = open.find(file);
    if (found == open.end()) return;
    const Reading& reading = found->second;
    const bool known = std::any_of(files.begin(), files.end(), [&](const FileDigest& kept) {
        return kept.name == reading.name;
    });
    if (!known) files.push_back({reading.name, reading.size, reading.digest.Value()});
    open.erase(found);
}

} // namespace platform::journal
