#pragma once
// The row loops of the blitter: plain, keyed and stretched copies of 8-bit pixels.

#include <cstring>

#include "platform/windef.h"

namespace platform::ddraw {

// The source key as an inclusive range of indices; empty (low > high) when the copy is plain.
struct KeyRange {
    DWORD low = 1;
    DWORD high = 0;
    bool Empty() const { return low > high; }
    bool Holds(BYTE pixel) const { return static_cast<BYTE>(pixel - low) <= high - low; }
};

inline std::uint64_t Load64(const BYTE* bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    return word;
}

inline void Store64(BYTE* bytes, std::uint64_t word) { std::memcpy(bytes, &word, 8); }

// 0xFF in every byte of word that is not zero, 0x00 in every zero byte.
inline std::uint64_t NonZeroBytes(std::uint64_t word)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t high = (((word & low7) + low7) | word) & ~low7;
    return (high >> 7) * 0xFF;
}

// Copies the pixels of src that are not in the key range; the rest of dst stays.
inline void CopyRowKeyed(BYTE* dst, const BYTE* src, DWORD count, KeyRange key)
{
    DWORD i = 0;
    if (key.low == key.high) {
        const std::uint64_t pattern = key.low * 0x0101010101010101ULL;
        for (; i + 8 <= count; i += 8) {
            const std::uint64_t s = Load64(src + i);
            const std::uint64_t keep = NonZeroBytes(s ^ pattern);
            Store64(dst + i, (s & keep) | (Load64(dst + i) & ~keep));
        }
    }
    for (; i < count; ++i) {
        if (!key.Holds(src[i])) dst[i] = src[i];
    }
}

inline void CopyRow(BYTE* dst, const BYTE* src, DWORD count, KeyRange key)
{
    if (key.Empty()) std::memcpy(dst, src, count);
    else CopyRowKeyed(dst, src, count, key);
}

// Nearest-neighbour: dst[i] takes src[columns[i]].
inline void StretchRow(BYTE* dst, const BYTE* src, const DWORD* columns, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) dst[i] = src[columns[i]];
}

} // namespace platform::ddraw
