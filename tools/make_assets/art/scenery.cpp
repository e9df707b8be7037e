#include "tools/make_assets/art/scenery.h"

#include <algorithm>
#include <cmath>

namespace art {

void PaintSky(Picture& picture, Box box, Ramp ramp)
{
    const float span = static_cast<float>(std::max(1, box.bottom - box.top - 1));
    PaintBox(picture, box, [&](int x, int y) {
        return Shade(ramp, static_cast<float>(y - box.top) / span, x, y);
    });
}

float RidgeCrest(const Ridge& ridge, int x)
{
    const float noise = FractalNoise(static_cast<float>(x) / ridge.width, 0.5f, 4, ridge.seed);
    return ridge.baseRow + (noise - 0.5f) * 2.0f * ridge.amplitude;
}

void PaintRidge(Picture& picture, const Ridge& ridge, int bottom, Ramp ramp)
{
    for (int x = 0; x < picture.width; ++x) {
        const float crest = RidgeCrest(ridge, x);
        const float slope = RidgeCrest(ridge, x + 2) - RidgeCrest(ridge, x - 2);
        for (int y = std::max(0, static_cast<int>(std::ceil(crest))); y < bottom; ++y) {
            const float depth = (static_cast<float>(y) - crest) / (2.0f * ridge.amplitude + 40.0f);
            // Slopes facing the light (rising to the right) are brighter.
            const float light = 0.85f - depth - std::clamp(slope * 0.08f, -0.25f, 0.25f);
            picture.Set(x, y, Shade(ramp, light, x, y));
        }
    }
}

void PaintCloud(Picture& picture, Point centre, float width, std::uint32_t seed)
{
    const int puffs = 7;
    for (int pass = 0; pass < 2; ++pass) {
        Random layout(seed);
        for (int i = 0; i < puffs; ++i) {
            const float t = static_cast<float>(i) / (puffs - 1) - 0.5f;
            const float r =
                width * (0.16f + 0.10f * (1.0f - std::abs(t) * 2.0f)) * layout.Range(0.8f, 1.2f);
            const Point c {centre.x + t * width * 0.8f,
                           centre.y - r * 0.35f + layout.Range(-2.0f, 2.0f)};
            // First pass: the shadowed underside, a little lower; second: the lit puffs.
            if (pass == 0) {
                FillEllipse(picture, {c.x, c.y + r * 0.25f}, r * 1.05f, r * 0.75f, CLOUDS.At(2));
            } else {
                PaintEllipse(picture, c, r, r * 0.8f, [&](int x, int y, float, float v) {
                    return Shade(CLOUDS, 0.95f - 0.55f * std::max(0.0f, v), x, y);
                });
            }
        }
    }
}

void PaintStars(Picture& picture, Box box, int count, std::uint32_t seed)
{
    Random random(seed);
    for (int i = 0; i < count; ++i) {
        const int x = box.left + random.Below(box.right - box.left);
        const int y = box.top + random.Below(box.bottom - box.top);
        const bool bright = random.Below(8) == 0;
        picture.Set(x, y, bright ? WHITE : GREYS.At(10 + random.Below(5)));
        if (bright) {
            for (auto [dx, dy] : {std::pair {1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                picture.Set(x + dx, y + dy, GREYS.At(9));
        }
    }
}

void PaintSplash(Picture& picture, Point centre, float radius, std::uint32_t seed)
{
    Random random(seed);
    PaintEllipse(picture, centre, radius, radius * 0.85f, [&](int x, int y, float u, float v) {
        return Shade(BLOOD, 0.6f - 0.4f * (u + v) * 0.5f, x, y);
    });
    for (int i = 0; i < 14; ++i) {
        const float angle = random.Range(0.0f, 6.2832f);
        const float distance = radius * random.Range(1.0f, 2.2f);
        const float size = radius * random.Range(0.08f, 0.25f);
        FillEllipse(picture,
                    {centre.x + std::cos(angle) * distance, centre.y + std::sin(angle) * distance},
                    size, size, BLOOD.At(random.Below(BLOOD.count)));
    }
    for (int i = 0; i < 4; ++i) { // runs dripping down
        const float x = centre.x + random.Range(-0.7f, 0.7f) * radius;
        const float length = radius * random.Range(0.8f, 2.0f);
        DrawLine(picture, {x, centre.y}, {x, centre.y + length}, radius * 0.14f, BLOOD.At(4));
        FillEllipse(picture, {x, centre.y + length}, radius * 0.13f, radius * 0.16f, BLOOD.At(6));
    }
}

} // namespace art
