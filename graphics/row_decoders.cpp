// Row decoders. Literal stretches are copied eight bytes at a time while no marker is among
// them, and runs are written as 64-bit words, so a row unpacks at memory speed.

#include "graphics/row_decoders.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "support/little_endian.h"

static_assert(std::endian::native == std::endian::little,
              "the word decoders test packed units in the file's own byte order");

namespace {

using Word64 = std::uint64_t;

Word64 Load64(const BYTE* bytes)
{
    Word64 word;
    std::memcpy(&word, bytes, 8);
    return word;
}

void Store64(BYTE* bytes, Word64 word) { std::memcpy(bytes, &word, 8); }

// A lane pattern repeats lane in every `laneBits`-bit lane of a 64-bit word.
template <int laneBits> constexpr Word64 Lanes(Word64 lane)
{
    Word64 word = 0;
    for (int shift = 0; shift < 64; shift += laneBits) word |= lane << shift;
    return word;
}

// True when some lane of word has all the bits of marker set.
template <int laneBits> bool HasMarker(Word64 word, Word64 marker)
{
    const Word64 pattern = Lanes<laneBits>(marker);
    const Word64 diff = (word & pattern) ^ pattern; // zero lanes are markers
    return ((diff - Lanes<laneBits>(1)) & ~diff & Lanes<laneBits>(Word64 {1} << (laneBits - 1)))
           != 0;
}

// Writes count bytes of a repeating 8-byte pattern, within the row that ends at end.
void FillPattern(BYTE* out, Word64 pattern, std::size_t count, const BYTE* end)
{
    if (static_cast<std::size_t>(end - out) >= ((count + 7) & ~std::size_t {7})) {
        for (std::size_t i = 0; i < count; i += 8) Store64(out + i, pattern);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<BYTE>(pattern >> (8 * (i & 7)));
}

// Copies literals eight bytes at a time while neither side runs short and no marker comes.
template <int laneBits>
void CopyLiterals(BYTE*& out, const BYTE* outEnd, const BYTE*& source, const BYTE* sourceEnd,
                  Word64 marker)
{
    while (outEnd - out >= 8 && sourceEnd - source >= 8) {
        const Word64 word = Load64(source);
        if (HasMarker<laneBits>(word, marker)) return;
        Store64(out, word);
        out += 8;
        source += 8;
    }
}

// UnpackWords and UnpackDwords: units of Unit bytes, markers with the top bits of marker set.
template <typename Unit, Word64 marker>
const BYTE* UnpackUnits(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length)
{
    constexpr int size = sizeof(Unit);
    constexpr int laneBits = 8 * size;
    BYTE* out = destination;
    const BYTE* unitsEnd = destination + (length / size) * size;
    while (out < unitsEnd) {
        CopyLiterals<laneBits>(out, unitsEnd, source, sourceEnd, marker);
        if (out == unitsEnd) break;
        if (sourceEnd - source < size) return nullptr;
        Unit unit;
        std::memcpy(&unit, source, size);
        source += size;
        if ((unit & marker) != marker) {
            std::memcpy(out, &unit, size);
            out += size;
            continue;
        }
        if (sourceEnd - source < size) return nullptr;
        Unit value;
        std::memcpy(&value, source, size);
        source += size;
        const std::size_t run = std::min<std::size_t>((unit & 0x3FFu) + 1, (unitsEnd - out) / size);
        FillPattern(out, Lanes<laneBits>(value), run * size, unitsEnd);
        out += run * size;
    }
    // The bytes of a row that do not fill a whole unit are stored as they are.
    for (DWORD odd = length % size; odd > 0; --odd) {
        if (source == sourceEnd) return nullptr;
        *out++ = *source++;
    }
    return source;
}

template <BYTE mask>
const BYTE* UnpackMasked(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length)
{
    return UnpackBytes(destination, source, sourceEnd, mask, length);
}

} // namespace

const BYTE* UnpackBytes(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, BYTE mask,
                        DWORD length)
{
    BYTE* out = destination;
    const BYTE* end = destination + length;
    while (out < end) {
        CopyLiterals<8>(out, end, source, sourceEnd, mask);
        if (out == end) break;
        if (source == sourceEnd) return nullptr;
        const BYTE unit = *source++;
        if ((unit & mask) != mask) {
            *out++ = unit;
            continue;
        }
        if (source == sourceEnd) return nullptr;
        const BYTE value = *source++;
        const std::size_t run =
            std::min<std::size_t>((unit & static_cast<BYTE>(~mask)) + 1u, end - out);
        FillPattern(out, Lanes<8>(value), run, end);
        out += run;
    }
    return source;
}

const BYTE* UnpackWords(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length)
{
    return UnpackUnits<WORD, 0xFC00>(destination, source, sourceEnd, length);
}

const BYTE* UnpackDwords(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length)
{
    return UnpackUnits<DWORD, 0xFFFFFC00>(destination, source, sourceEnd, length);
}

const BYTE* CopyRaw(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length)
{
    const std::size_t present = std::min<std::size_t>(length, sourceEnd - source);
    std::memcpy(destination, source, present);
    return present == length ? source + length : nullptr;
}

const RowDecoder decoderTable[METHOD_COUNT] = {
    CopyRaw, UnpackMasked<0xE0>, UnpackMasked<0xC0>, UnpackMasked<0x80>, nullptr,
    nullptr, UnpackWords,        UnpackDwords,
};
