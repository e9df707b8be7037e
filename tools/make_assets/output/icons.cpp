#include "tools/make_assets/output/icons.h"

#include <algorithm>
#include <string>

#include "tools/make_assets/sprites/creature_canvas.h"

namespace art {

Picture WindowIcon(int size)
{
    Picture icon("icon-" + std::to_string(size), size, size, 0, TRANSPARENT_KEY);
    const float s = static_cast<float>(size);
    const Point centre {s / 2.0f, s / 2.0f};
    const float radius = s / 2.0f - 1.5f;
    PaintEllipse(icon, centre, radius, radius, [](int x, int y, float u, float v) {
        return ShadeSteps(STEEL, 2, 9, RoundLight(u, v), x, y);
    });
    const float ring = std::max(2.0f, s * 0.06f);
    DrawRing(icon, centre, radius - ring - 1.0f, radius - 1.0f, FIRE.At(8));
    CreatureCanvas canvas(icon, s * 0.15f, s * 0.14f, s * 0.70f, CREATURE_GREEN);
    DrawGrunt(canvas);
    OutlineShape(icon, BLACK);
    return icon;
}

} // namespace art
