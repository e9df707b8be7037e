#include "server/bounded_file.h"

#include <fstream>

namespace server {

BoundedRead ReadBoundedFile(const std::filesystem::path& path, std::size_t largest,
                            std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return BoundedRead::Unreadable;
    // One byte more than allowed tells a file of the largest size from a larger one.
    bytes.assign(largest + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes.size() <= largest ? BoundedRead::Read : BoundedRead::TooLarge;
}

} // namespace server
