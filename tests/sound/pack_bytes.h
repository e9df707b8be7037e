#pragma once
// Packs put together byte by byte, as the format lays them out, for the reader's tests.

#include <cstdint>
#include <string>
#include <vector>

namespace test {

inline void PutLe32(std::string& bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i));
}

struct HandEntry {
    std::string tag; // four characters
    std::uint32_t dataOffset;
    std::string label; // up to 12 bytes, padded with NULs
};

// The 36-byte header body, the count, then the 28-byte records.
inline std::string PackBytes(std::uint32_t count, const std::vector<HandEntry>& entries)
{
    std::string bytes(36, 'h');
    PutLe32(bytes, count);
    for (const HandEntry& entry : entries) {
        bytes += entry.tag;
        bytes += std::string(8, 'r');
        PutLe32(bytes, entry.dataOffset);
        std::string label = entry.label;
        label.resize(12, '\0');
        bytes += label;
    }
    return bytes;
}

// A sound entry's data: flags, reserved half-word, length, rate, then the samples.
inline std::string SoundBytes(std::uint16_t flags, std::uint32_t length, std::uint32_t rate,
                              const std::string& samples)
{
    std::string bytes;
    bytes += static_cast<char>(flags);
    bytes += static_cast<char>(flags >> 8);
    bytes += "\xFF\xFF";
    PutLe32(bytes, length);
    PutLe32(bytes, rate);
    return bytes + samples;
}

} // namespace test
