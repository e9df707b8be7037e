#include "tools/make_assets/art/paint.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

float Clamp01(float value) { return std::clamp(value, 0.0f, 1.0f); }

// Scanline fill of a polygon (even-odd), sampling pixel centres.
template <typename Plot>
void ScanPolygon(const Picture& picture, const std::vector<Point>& corners, Plot plot)
{
    if (corners.size() < 3) return;
    float top = corners[0].y;
    float bottom = corners[0].y;
    for (const Point& p : corners) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int firstRow = std::max(0, static_cast<int>(std::floor(top)));
    const int lastRow = std::min(picture.height - 1, static_cast<int>(std::ceil(bottom)));
    std::vector<float> crossings;
    for (int y = firstRow; y <= lastRow; ++y) {
        const float cy = static_cast<float>(y) + 0.5f;
        crossings.clear();
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Point a = corners[i];
            const Point b = corners[(i + 1) % corners.size()];
            if ((a.y <= cy) == (b.y <= cy)) continue;
            crossings.push_back(a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int from = static_cast<int>(std::ceil(crossings[i] - 0.5f));
            const int to = static_cast<int>(std::floor(crossings[i + 1] - 0.5f));
            for (int x = std::max(0, from); x <= std::min(picture.width - 1, to); ++x) plot(x, y);
        }
    }
}

} // namespace

float DitherThreshold(int x, int y)
{
    return (static_cast<float>(bayer[y & 3][x & 3]) + 0.5f) / 16.0f;
}

BYTE ShadeSteps(Ramp ramp, int first, int last, float level, int x, int y)
{
    const float position = Clamp01(level) * static_cast<float>(last - first);
    const int step = first + static_cast<int>(std::floor(position + DitherThreshold(x, y)));
    return ramp.At(std::clamp(step, first, last));
}

BYTE BandSteps(Ramp ramp, int first, int last, float level)
{
    const float position = Clamp01(level) * static_cast<float>(last - first);
    return ramp.At(first + static_cast<int>(std::lround(position)));
}

BYTE Shade(Ramp ramp, float level, int x, int y)
{
    return ShadeSteps(ramp, 0, ramp.count - 1, level, x, y);
}

void FillBox(Picture& picture, Box box, BYTE index)
{
    PaintBox(picture, box, [index](int, int) { return index; });
}

void PaintBox(Picture& picture, Box box, const std::function<BYTE(int x, int y)>& painter)
{
    for (int y = std::max(0, box.top); y < std::min(picture.height, box.bottom); ++y) {
        for (int x = std::max(0, box.left); x < std::min(picture.width, box.right); ++x)
            picture.Set(x, y, painter(x, y));
    }
}

void FillEllipse(Picture& picture, Point centre, float rx, float ry, BYTE index)
{
    PaintEllipse(picture, centre, rx, ry, [index](int, int, float, float) { return index; });
}

void PaintEllipse(Picture& picture, Point centre, float rx, float ry,
                  const std::function<BYTE(int x, int y, float u, float v)>& painter)
{
    const int top = static_cast<int>(std::floor(centre.y - ry));
    const int bottom = static_cast<int>(std::ceil(centre.y + ry));
    const int left = static_cast<int>(std::floor(centre.x - rx));
    const int right = static_cast<int>(std::ceil(centre.x + rx));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - centre.x) / rx;
            const float v = (static_cast<float>(y) + 0.5f - centre.y) / ry;
            if (u * u + v * v <= 1.0f && picture.Inside(x, y))
                picture.Set(x, y, painter(x, y, u, v));
        }
    }
}

void FillPolygon(Picture& picture, const std::vector<Point>& corners, BYTE index)
{
    ScanPolygon(picture, corners, [&](int x, int y) { picture.Set(x, y, index); });
}

void PaintPolygon(Picture& picture, const std::vector<Point>& corners,
                  const std::function<BYTE(int x, int y)>& painter)
{
    ScanPolygon(picture, corners, [&](int x, int y) { picture.Set(x, y, painter(x, y)); });
}

void DrawLine(Picture& picture, Point from, Point to, float thickness, BYTE index)
{
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float length = std::max(0.001f, std::sqrt(dx * dx + dy * dy));
    const float nx = -dy / length * thickness * 0.5f;
    const float ny = dx / length * thickness * 0.5f;
    FillPolygon(picture,
                {{from.x + nx, from.y + ny},
                 {to.x + nx, to.y + ny},
                 {to.x - nx, to.y - ny},
                 {from.x - nx, from.y - ny}},
                index);
    FillEllipse(picture, from, thickness * 0.5f, thickness * 0.5f, index);
    FillEllipse(picture, to, thickness * 0.5f, thickness * 0.5f, index);
}

void DrawRing(Picture& picture, Point centre, float inner, float outer, BYTE index)
{
    PaintEllipse(picture, centre, outer, outer, [&](int x, int y, float u, float v) {
        const float r = std::sqrt(u * u + v * v) * outer;
        return r >= inner ? index : picture.At(x, y);
    });
}

float RoundLight(float u, float v)
{
    const float rr = u * u + v * v;
    const float nz = std::sqrt(std::max(0.0f, 1.0f - rr));
    // Light from the upper left and a little in front.
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f;
    const float diffuse = std::max(0.0f, u * lx + v * ly + nz * lz);
    const float highlight = std::pow(diffuse, 12.0f);
    return Clamp01(0.12f + 0.78f * diffuse + 0.35f * highlight);
}

void OutlineShape(Picture& picture, BYTE outline)
{
    const Picture shape = picture;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (shape.Opaque(x, y)) continue;
            if (shape.Opaque(x - 1, y) || shape.Opaque(x + 1, y) || shape.Opaque(x, y - 1)
                || shape.Opaque(x, y + 1))
                picture.Set(x, y, outline);
        }
    }
}

void EdgeShade(Picture& picture, int dx, int dy, BYTE to)
{
    const Picture shape = picture;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (shape.Opaque(x, y) && !shape.Opaque(x + dx, y + dy)) picture.Set(x, y, to);
        }
    }
}

void Stamp(Picture& target, const Picture& source, int x, int y)
{
    for (int sy = 0; sy < source.height; ++sy) {
        for (int sx = 0; sx < source.width; ++sx) {
            if (source.Opaque(sx, sy)) target.Set(x + sx, y + sy, source.At(sx, sy));
        }
    }
}

Picture Enlarged(const Picture& picture, int factor)
{
    Picture large(picture.name, picture.width * factor, picture.height * factor, 0, picture.key);
    for (int y = 0; y < large.height; ++y) {
        for (int x = 0; x < large.width; ++x) large.Set(x, y, picture.At(x / factor, y / factor));
    }
    return large;
}

void Bevel(Picture& picture, Box box, BYTE light, BYTE face, BYTE dark, int depth)
{
    FillBox(picture, box, face);
    for (int i = 0; i < depth; ++i) {
        FillBox(picture, {box.left + i, box.top + i, box.right - i, box.top + i + 1}, light);
        FillBox(picture, {box.left + i, box.top + i, box.left + i + 1, box.bottom - i}, light);
        FillBox(picture, {box.left + i, box.bottom - i - 1, box.right - i, box.bottom - i}, dark);
        FillBox(picture, {box.right - i - 1, box.top + i + 1, box.right - i, box.bottom - i}, dark);
    }
}

} // namespace art
