#pragma once
// A picture as the game stores it: 8-bit palette indices and, for keyed pictures, the index
// that stands for "transparent".

#include <optional>
#include <string>
#include <vector>

#include "platform/windef.h"

namespace art {

struct Picture {
    Picture(std::string pictureName, int w, int h, BYTE fill = 0,
            std::optional<BYTE> colourKey = std::nullopt)
        : name(std::move(pictureName)), width(w), height(h),
          pixels(static_cast<std::size_t>(w) * h, colourKey.value_or(fill)), key(colourKey)
    {
    }

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    BYTE At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Writes inside the picture only, so shapes may reach past its edges.
    void Set(int x, int y, BYTE index)
    {
        if (Inside(x, y)) pixels[static_cast<std::size_t>(y) * width + x] = index;
    }
    bool Opaque(int x, int y) const { return Inside(x, y) && (!key || At(x, y) != *key); }

    std::string name;
    int width;
    int height;
    std::vector<BYTE> pixels; // top row first
    std::optional<BYTE> key;
};

} // namespace art
