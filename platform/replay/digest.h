#pragma once
// A 64-bit digest of bytes fed in any pieces: the same bytes give the same value whatever the
// pieces, on every machine. Four lanes of eight bytes keep it fast enough for a screen a second.

#include <cstddef>
#include <cstdint>

namespace platform {

class Digest {
public:
    void Add(const void* data, std::size_t size);
    void AddWord(std::uint64_t value);
    std::uint64_t Value() const;

private:
    void Block(const unsigned char* bytes);

    std::uint64_t lanes[4] = {0x243F6A8885A308D3, 0x13198A2E03707344, 0xA4093822299F31D0,
                              0x082EFA98EC4E6C89};
    unsigned char pending[32] = {};
    std::size_t pendingSize = 0;
    std::uint64_t total = 0;
};

std::uint64_t DigestOf(const void* data, std::size_t size);

} // namespace platform
