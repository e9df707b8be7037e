#include "tools/make_assets/art/lettering.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace art {
namespace {

constexpr BYTE MASK_INK = 1;
constexpr BYTE MASK_EMPTY = 0;
constexpr int INK_THRESHOLD = 128;

// The smallest box holding every pixel that counts as ink.
Box InkBox(const platform::TextCoverage& text)
{
    Box ink {text.width, text.height, 0, 0};
    for (int y = 0; y < text.height; ++y) {
        for (int x = 0; x < text.width; ++x) {
            if (text.coverage[static_cast<std::size_t>(y) * text.width + x] < INK_THRESHOLD)
                continue;
            ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                   std::max(ink.bottom, y + 1)};
        }
    }
    return ink.right > ink.left ? ink : Box {0, 0, 1, 1};
}

// Coverage at (x, y) of the source box stretched over a width x height mask, area-averaged.
int SampleCoverage(const platform::TextCoverage& text, Box from, int x, int y, int width,
                   int height)
{
    const float sx = static_cast<float>(from.right - from.left) / static_cast<float>(width);
    const float sy = static_cast<float>(from.bottom - from.top) / static_cast<float>(height);
    const int x0 = from.left + static_cast<int>(std::floor(x * sx));
    const int x1 = std::max(x0 + 1, from.left + static_cast<int>(std::ceil((x + 1) * sx)));
    const int y0 = from.top + static_cast<int>(std::floor(y * sy));
    const int y1 = std::max(y0 + 1, from.top + static_cast<int>(std::ceil((y + 1) * sy)));
    int sum = 0;
    int count = 0;
    for (int ty = y0; ty < std::min(y1, text.height); ++ty) {
        for (int tx = x0; tx < std::min(x1, text.width); ++tx) {
            sum += text.coverage[static_cast<std::size_t>(ty) * text.width + tx];
            ++count;
        }
    }
    return count == 0 ? 0 : sum / count;
}

} // namespace

const platform::RasterFont& CachedFont(const char* family, int weight, int cellHeight)
{
    static std::map<std::pair<std::string, int>, std::unique_ptr<platform::RasterFont>> fonts;
    auto& font = fonts[{std::string(family) + "/" + std::to_string(weight), cellHeight}];
    if (!font) font = platform::RasterFont::Open(family, cellHeight, weight);
    if (!font) {
        std::fprintf(stderr, "make-assets: no font is installed\n");
        std::exit(1);
    }
    return *font;
}

const platform::RasterFont& LabelFont(int cellHeight)
{
    return CachedFont("Verdana", 700, cellHeight);
}

const platform::RasterFont& DisplayFont(int cellHeight)
{
    return CachedFont("DejaVu Sans", 900, cellHeight);
}

Picture TextMask(const platform::RasterFont& font, std::string_view text, int width, int height)
{
    const platform::TextCoverage coverage = font.Render(text);
    const bool stretched = width > 0 && height > 0;
    const Box from = stretched ? InkBox(coverage) : Box {0, 0, coverage.width, coverage.height};
    const int w = stretched ? width : coverage.width;
    const int h = stretched ? height : coverage.height;
    Picture mask("mask", w, h, MASK_EMPTY, MASK_EMPTY);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (SampleCoverage(coverage, from, x, y, w, h) >= INK_THRESHOLD)
                mask.Set(x, y, MASK_INK);
        }
    }
    return mask;
}

void DrawLabel(Picture& picture, const platform::RasterFont& font, std::string_view text, int x,
               int y, BYTE index)
{
    const platform::TextCoverage coverage = font.Render(text);
    for (int ty = 0; ty < coverage.height; ++ty) {
        for (int tx = 0; tx < coverage.width; ++tx) {
            if (coverage.coverage[static_cast<std::size_t>(ty) * coverage.width + tx]
                >= INK_THRESHOLD)
                picture.Set(x + tx - coverage.originX, y + ty, index);
        }
    }
}

void DrawCentredLabel(Picture& picture, const platform::RasterFont& font, std::string_view text,
                      int cx, int y, BYTE index)
{
    DrawLabel(picture, font, text, cx - font.Advance(text) / 2, y, index);
}

void DrawLettering(Picture& picture, const Picture& mask, int x, int y, const LetteringStyle& style)
{
    const int margin = style.outerWidth + 1;
    Picture letters("letters", mask.width + 2 * margin, mask.height + 2 * margin, 0,
                    TRANSPARENT_KEY);
    int top = mask.height;
    int bottom = 0;
    for (int my = 0; my < mask.height; ++my) {
        for (int mx = 0; mx < mask.width; ++mx) {
            if (!mask.Opaque(mx, my)) continue;
            top = std::min(top, my);
            bottom = std::max(bottom, my);
        }
    }
    for (int my = 0; my < mask.height; ++my) {
        const float level = 1.0f - static_cast<float>(my - top) / std::max(1, bottom - top);
        for (int mx = 0; mx < mask.width; ++mx) {
            if (mask.Opaque(mx, my))
                letters.Set(mx + margin, my + margin, Shade(style.fill, level, mx, my));
        }
    }
    EdgeShade(letters, 0, -1, style.fill.Last()); // a bright rim along the tops of the strokes
    OutlineShape(letters, style.innerOutline);
    for (int ring = 0; ring < style.outerWidth; ++ring) OutlineShape(letters, style.outerOutline);
    if (style.shadowOffset > 0) {
        Picture shadow = letters;
        for (BYTE& p : shadow.pixels) {
            if (p != TRANSPARENT_KEY) p = style.shadow;
        }
        Stamp(picture, shadow, x - margin + style.shadowOffset, y - margin + style.shadowOffset);
    }
    Stamp(picture, letters, x - margin, y - margin);
}

} // namespace art
