#include "platform/replay/digest.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr std::uint64_t prime = 0x100000001B3;

std::uint64_t LittleEndianWord(const unsigned char* bytes)
{
    std::uint64_t word = 0;
    for (int i = 7; i >= 0; --i) word = (word << 8) | bytes[i];
    return word;
}

// Each step is a bijection of the lane for a given word, so two different inputs never meet
// again; the bits are spread once, at the end.
std::uint64_t Step(std::uint64_t lane, std::uint64_t word) { return (lane ^ word) * prime; }

std::uint64_t Spread(std::uint64_t value)
{
    value = (value ^ (value >> 31)) * 0x7FB5D329728EA185;
    value = (value ^ (value >> 27)) * 0x81DADEF4BC2DD44D;
    return value ^ (value >> 33);
}

} // namespace

void Digest::Block(const unsigned char* bytes)
{
    for (int lane = 0; lane < 4; ++lane)
        lanes[lane] = Step(lanes[lane], LittleEndianWord(bytes + 8 * lane));
}

void Digest::Add(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    total += size;
    if (pendingSize > 0) {
        const std::size_t take = std::min(size, sizeof pending - pendingSize);
        std::memcpy(pending + pendingSize, bytes, take);
        pendingSize += take;
        bytes += take;
        size -= take;
        if (pendingSize < sizeof pending) return;
        Block(pending);
        pendingSize = 0;
    }
    for (; size >= sizeof pending; bytes += sizeof pending, size -= sizeof pending) Block(bytes);
    std::memcpy(pending, bytes, size);
    pendingSize = size;
}

void Digest::AddWord(std::uint64_t value)
{
    if (pendingSize + 8 > sizeof pending) {
        unsigned char bytes[8];
        for (unsigned char& byte : bytes) {
            byte = static_cast<unsigned char>(value);
            value >>= 8;
        }
        Add(bytes, sizeof bytes);
        return;
    }
    for (int i = 0; i < 8; ++i, value >>= 8)
        pending[pendingSize++] = static_cast<unsigned char>(value);
    total += 8;
    if (pendingSize == sizeof pending) {
        Block(pending);
        pendingSize = 0;
    }
}

std::uint64_t Digest::Value() const
{
    unsigned char tail[32] = {};
    std::memcpy(tail, pending, pendingSize);
    Digest last = *this;
    last.Block(tail);
    std::uint64_t value = Spread(total);
    for (std::uint64_t lane : last.lanes) value = Spread(value ^ Spread(lane));
    return value;
}

std::uint64_t DigestOf(const void* data, std::size_t size)
{
    Digest digest;
    digest.Add(data, size);
    return digest.Value();
}

} // namespace platform
