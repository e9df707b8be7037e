#pragma once
// Writing pictures: "QVx3" files and the chunk streams packs hold, with any packing method.

#include <array>
#include <optional>
#include <vector>

#include "platform/windef.h"

namespace qvx {

using Bytes = std::vector<BYTE>;
using Palette = std::array<PALETTEENTRY, 256>;

struct Image {
    WORD width = 0;
    WORD height = 0;
    BYTE depth = 8;
    Bytes pixels; // height rows of ((depth + 7) / 8) * width bytes, top row first
};

// The palette flags written into "CPAL": a 256-entry palette of 8-bit indices.
DWORD DefaultPaletteFlags();

// The methods with a packer (and a decoder): 0, 1, 2, 3, 6, 7.
bool CanPack(BYTE method);
inline constexpr BYTE packingMethods[] = {0, 1, 2, 3, 6, 7};

// One row packed by itself, appended to out.
void PackRow(const BYTE* row, DWORD length, BYTE method, Bytes& out);

Bytes ImageChunk(const Image& image, BYTE method);
Bytes PaletteChunk(const Palette& palette, DWORD flags = DefaultPaletteFlags());
Bytes ColorKeyChunk(DWORD low, DWORD high);
Bytes EndChunk();

struct Picture {
    Image image;
    std::optional<Palette> palette;
    std::optional<DWORD> key; // a single transparent index
};

// The chunks ("QVXI", then "CPAL" and "CKEY" when present, then "EOF!"), as a pack entry holds.
Bytes ChunkStream(const Picture& picture, BYTE method);
// "QVx3", four zero bytes, then the chunk stream.
Bytes QvxFile(const Picture& picture, BYTE method);

// The method whose packed pixel data is smallest (the lowest such method on a tie).
BYTE SmallestMethod(const Image& image);

// False when the file cannot be written whole.
bool WriteBytes(const char* path, const Bytes& bytes);

} // namespace qvx
