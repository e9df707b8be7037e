#pragma once
// Inside the platform layer: every file the run read, in the order they were closed, with its
// size and a digest of the bytes read.

#include <map>
#include <vector>

#include "platform/replay.h"
#include "platform/replay/digest.h"

namespace platform::journal {

class FileDigests {
public:
    void Opened(HANDLE file, const char* name);
    void Read(HANDLE file, const void* data, DWORD size);
    void Closed(HANDLE file);
    const std::vector<FileDigest>& Files() const { return files; }

private:
    struct Reading {
        std::string name;
        std::uint64_t size = 0;
        Digest digest;
    };
    std::map<HANDLE, Reading> open;
    std::vector<FileDigest> files;
};

} // namespace platform::journal
