#pragma once
// Indexed (palette) PNG files: screenshots, and the picture tools' import and export.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/windef.h"

namespace platform {

struct IndexedPicture {
    DWORD width = 0;
    DWORD height = 0;
    std::vector<BYTE> pixels; // width x height palette indices, top row first
    std::array<PALETTEENTRY, 256> palette {};
    std::optional<BYTE> transparentIndex; // an index shown as fully transparent (icons)
};

// Writes all 256 palette entries, so every index keeps its colour, and the transparent index
// as see-through. False on any failure.
bool WriteIndexedPng(const char* path, const IndexedPicture& picture);

// Reads a palette PNG keeping its indices; a PNG without a palette, or with partly
// transparent colours, is refused. On failure
// answers nothing and, when error is given, a one-line reason.
std::optional<IndexedPicture> ReadIndexedPng(const char* path, std::string* error = nullptr);

// A picture of red, green, blue and alpha bytes, as window icons want it.
struct RgbaPicture {
    DWORD width = 0;
    DWORD height = 0;
    std::vector<BYTE> pixels; // width x height x 4, top row first
};

// Any PNG held in memory, decoded to RGBA; nothing when it is not a readable PNG.
std::optional<RgbaPicture> DecodePngRgba(const std::vector<BYTE>& file);

} // namespace platform
