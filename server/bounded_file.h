#pragma once
// Files the server reads whole (its settings, an exported list's index and journals), each
// with a size past which it is refused rather than read into memory.

#include <cstddef>
#include <filesystem>
#include <string>

namespace server {

enum class BoundedRead {
    Read,       // `bytes` holds the whole file
    Unreadable, // it is missing or cannot be opened
    TooLarge,   // it holds more than the largest size asked
};

BoundedRead ReadBoundedFile(const std::filesystem::path& path, std::size_t largest,
                            std::string& bytes);

} // namespace server
