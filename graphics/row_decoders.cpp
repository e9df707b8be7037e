// Row decoders. Literals are copied up to eight bytes at a time and runs are written as 64-bit
// words, so a row unpacks at memory speed.

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

// The lanes of word whose bits include all of marker's, each flagged by its top bit.
template <int laneBits> Word64 MarkerLanes(Word64 word, Word64 markers)
{
    constexpr Word64 low = Lanes<laneBits>((Word64 {1} << (laneBits - 1)) - 1);
    const Word64 diff = (word & markers) ^ markers; // zero lanes are markers
    return ~(((diff & low) + low) | diff) & ~low;
}

// Writes count bytes of a repeating 8-byte pattern, within the row that ends at end. Short
// runs, the common ones, take four stores and no loop.
void FillPattern(BYTE* out, Word64 pattern, std::size_t count, const BYTE* end)
{
    const auto room = static_cast<std::size_t>(end - out);
    if (room >= 32 && room >= ((count + 7) & ~std::size_t {7})) {
        Store64(out, pattern);
        Store64(out + 8, pattern);
        Store64(out + 16, pattern);
        Store64(out + 24, pattern);
        for (std::size_t i = 32; i < count; i += 8) Store64(out + i, pattern);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<BYTE>(pattern >> (8 * (i & 7)));
}

template <typename Unit> Unit LoadUnit(const BYTE* at)
{
    Unit unit;
    std::memcpy(&unit, at, sizeof(Unit));
    return unit;
}

// The bytes a run marker asks for, cut at the end of the row.
template <typename Unit>
std::size_t RunBytes(Unit unit, Unit marker, const BYTE* out, const BYTE* end)
{
    const std::size_t length = static_cast<Unit>(unit & ~marker) + std::size_t {1};
    return std::min<std::size_t>(length, static_cast<std::size_t>(end - out) / sizeof(Unit))
           * sizeof(Unit);
}

// Every decoder: units of Unit bytes, a marker having all the bits of marker set and the run
// length less one in the bits below. Eight bytes of source are looked at together: literals up
// to the first marker among them are copied in one store (bytes stored past them are
// overwritten by what follows, and never reach past the row).
template <typename Unit>
const BYTE* UnpackUnits(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, Unit marker,
                        DWORD length)
{
    constexpr std::size_t size = sizeof(Unit);
    constexpr int laneBits = 8 * size;
    const Word64 markers = Lanes<laneBits>(marker);
    BYTE* out = destination;
    const BYTE* end = destination + (length / size) * size;
    while (out < end) {
        if (end - out >= 8 && sourceEnd - source >= 8) {
            const Word64 word = Load64(source);
            const Word64 found = MarkerLanes<laneBits>(word, markers);
            Store64(out, word);
            if (found == 0) {
                out += 8;
                source += 8;
                continue;
            }
            constexpr int lanes = 8 / size;
            int lane = std::countr_zero(found) / laneBits;
            out += lane * size;
            source += lane * size;
            // Runs whose marker and value are in the word already need no second load; back to
            // back runs (a gradient, a flat row) are all taken from the one word.
            bool taken = false;
            while (lane + 2 <= lanes && out < end
                   && ((found >> (lane * laneBits)) & (Word64 {1} << (laneBits - 1)))) {
                const auto unit = static_cast<Unit>(word >> (lane * laneBits));
                const auto value = static_cast<Unit>(word >> ((lane + 1) * laneBits));
                source += 2 * size;
                const std::size_t run = RunBytes<Unit>(unit, marker, out, end);
                FillPattern(out, Lanes<laneBits>(value), run, end);
                out += run;
                lane += 2;
                taken = true;
            }
            if (taken) continue;
        }
        if (static_cast<std::size_t>(sourceEnd - source) < size) return nullptr;
        const Unit unit = LoadUnit<Unit>(source);
        source += size;
        if ((unit & marker) != marker) {
            std::memcpy(out, &unit, size);
            out += size;
            continue;
        }
        if (static_cast<std::size_t>(sourceEnd - source) < size) return nullptr;
        const Unit value = LoadUnit<Unit>(source);
        source += size;
        const std::size_t run = RunBytes<Unit>(unit, marker, out, end);
        FillPattern(out, Lanes<laneBits>(value), run, end);
        out += run;
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
    return UnpackUnits<BYTE>(destination, source, sourceEnd, mask, length);
}

const BYTE* UnpackWords(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length)
{
    return UnpackUnits<WORD>(destination, source, sourceEnd, 0xFC00, length);
}

const BYTE* UnpackDwords(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length)
{
    return UnpackUnits<DWORD>(destination, source, sourceEnd, 0xFFFFFC00, length);
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
