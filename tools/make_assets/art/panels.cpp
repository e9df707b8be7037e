#include "tools/make_assets/art/panels.h"

#include "tools/make_assets/art/random.h"

namespace art {

void SteelStrip(Picture& picture, Box box)
{
    Bevel(picture, box, STEEL.At(12), STEEL.At(7), STEEL.At(2));
    PaintBox(
        picture, {box.left + 2, box.top + 2, box.right - 2, box.bottom - 2}, [&](int x, int y) {
            const float grain =
                FractalNoise(static_cast<float>(x) / 40.0f, static_cast<float>(y) * 1.7f, 3, 77);
            const float height =
                static_cast<float>(y - box.top) / static_cast<float>(box.bottom - box.top);
            return Shade(STEEL, 0.62f - 0.25f * height + 0.18f * (grain - 0.5f), x, y);
        });
    const int middle = (box.top + box.bottom) / 2;
    Rivet(picture, {static_cast<float>(box.left + 9), static_cast<float>(middle)});
    Rivet(picture, {static_cast<float>(box.right - 10), static_cast<float>(middle)});
}

void InsetWell(Picture& picture, Box box)
{
    Bevel(picture, box, STEEL.At(1), STEEL.At(3), STEEL.At(11), 1);
    FillBox(picture, {box.left + 1, box.top + 1, box.right - 1, box.top + 2}, STEEL.At(0));
}

void Rivet(Picture& picture, Point centre)
{
    FillEllipse(picture, {centre.x + 0.5f, centre.y + 0.5f}, 3.0f, 3.0f, STEEL.At(1));
    PaintEllipse(picture, centre, 2.6f, 2.6f, [](int x, int y, float u, float v) {
        return Shade(STEEL, RoundLight(u, v), x, y);
    });
}

} // namespace art
