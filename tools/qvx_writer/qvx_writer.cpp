// The packers mirror the row decoders: a marker unit (its top bits set, the run length less
// one below them) followed by the value; every other unit is a literal. A literal that looks
// like a marker is written as a run of one.

#include "tools/qvx_writer/qvx_writer.h"

#include <cstring>
#include <fstream>

#include "platform/ddraw.h"
#include "support/little_endian.h"

namespace qvx {
namespace {

template <typename Unit> void PutUnit(Bytes& out, Unit unit)
{
    for (std::size_t i = 0; i < sizeof(Unit); ++i)
        out.push_back(static_cast<BYTE>(unit >> (8 * i)));
}

template <typename Unit> Unit GetUnit(const BYTE* at)
{
    Unit unit = 0;
    for (std::size_t i = 0; i < sizeof(Unit); ++i)
        unit |= static_cast<Unit>(Unit {at[i]} << (8 * i));
    return unit;
}

// Packs count units at row: runs of three or more (and marker-like literals) become marker and
// value, never longer than longest.
template <typename Unit>
void PackUnits(const BYTE* row, DWORD count, Unit marker, DWORD longest, Bytes& out)
{
    DWORD i = 0;
    while (i < count) {
        const Unit value = GetUnit<Unit>(row + i * sizeof(Unit));
        DWORD run = 1;
        while (i + run < count && run < longest
               && GetUnit<Unit>(row + (i + run) * sizeof(Unit)) == value)
            ++run;
        if (run >= 3 || (value & marker) == marker) {
            PutUnit<Unit>(out, static_cast<Unit>(marker | (run - 1)));
            PutUnit<Unit>(out, value);
            i += run;
        } else {
            PutUnit<Unit>(out, value);
            ++i;
        }
    }
}

void PutChunkHeader(Bytes& out, const char (&tag)[5], DWORD size)
{
    PutUnit<DWORD>(out, FourCC(tag));
    PutUnit<DWORD>(out, size);
}

DWORD RowBytes(const Image& image) { return ((image.depth + 7u) / 8u) * image.width; }

Bytes PackedPixels(const Image& image, BYTE method)
{
    Bytes out;
    const DWORD length = RowBytes(image);
    for (DWORD y = 0; y < image.height; ++y) {
        PackRow(image.pixels.data() + static_cast<std::size_t>(y) * length, length, method, out);
    }
    return out;
}

} // namespace

DWORD DefaultPaletteFlags() { return DDPCAPS_8BIT | DDPCAPS_ALLOW256; }

bool CanPack(BYTE method) { return method <= 3 || method == 6 || method == 7; }

void PackRow(const BYTE* row, DWORD length, BYTE method, Bytes& out)
{
    switch (method) {
    case 0: out.insert(out.end(), row, row + length); return;
    case 1: PackUnits<BYTE>(row, length, 0xE0, 32, out); return;
    case 2: PackUnits<BYTE>(row, length, 0xC0, 64, out); return;
    case 3: PackUnits<BYTE>(row, length, 0x80, 128, out); return;
    case 6:
        PackUnits<WORD>(row, length / 2, 0xFC00, 1024, out);
        out.insert(out.end(), row + length - length % 2, row + length);
        return;
    case 7:
        PackUnits<DWORD>(row, length / 4, 0xFFFFFC00, 1024, out);
        out.insert(out.end(), row + length - length % 4, row + length);
        return;
    default: return;
    }
}

Bytes ImageChunk(const Image& image, BYTE method)
{
    const Bytes packed = PackedPixels(image, method);
    Bytes out;
    PutChunkHeader(out, "QVXI", static_cast<DWORD>(8 + packed.size()));
    PutUnit<WORD>(out, image.width);
    PutUnit<WORD>(out, image.height);
    PutUnit<WORD>(out, 0);
    out.push_back(image.depth);
    out.push_back(method);
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

Bytes PaletteChunk(const Palette& palette, DWORD flags)
{
    Bytes out;
    PutChunkHeader(out, "CPAL", 1032);
    PutUnit<DWORD>(out, 0);
    PutUnit<DWORD>(out, flags);
    for (const PALETTEENTRY& entry : palette) {
        out.insert(out.end(), {entry.peRed, entry.peGreen, entry.peBlue, entry.peFlags});
    }
    return out;
}

Bytes ColorKeyChunk(DWORD low, DWORD high)
{
    Bytes out;
    PutChunkHeader(out, "CKEY", 8);
    PutUnit<DWORD>(out, low);
    PutUnit<DWORD>(out, high);
    return out;
}

Bytes EndChunk()
{
    Bytes out;
    PutChunkHeader(out, "EOF!", 0);
    return out;
}

Bytes ChunkStream(const Picture& picture, BYTE method)
{
    Bytes out = ImageChunk(picture.image, method);
    auto append = [&out](const Bytes& chunk) { out.insert(out.end(), chunk.begin(), chunk.end()); };
    if (picture.palette) append(PaletteChunk(*picture.palette));
    if (picture.key) append(ColorKeyChunk(*picture.key, *picture.key));
    append(EndChunk());
    return out;
}

Bytes QvxFile(const Picture& picture, BYTE method)
{
    Bytes out;
    PutUnit<DWORD>(out, FourCC("QVx3"));
    PutUnit<DWORD>(out, 0);
    const Bytes stream = ChunkStream(picture, method);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

BYTE SmallestMethod(const Image& image)
{
    BYTE best = 0;
    std::size_t bestSize = PackedPixels(image, 0).size();
    for (BYTE method : packingMethods) {
        const std::size_t size = PackedPixels(image, method).size();
        if (size < bestSize) {
            best = method;
            bestSize = size;
        }
    }
    return best;
}

bool WriteBytes(const char* path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

} // namespace qvx
