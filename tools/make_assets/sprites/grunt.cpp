// Type 0: the common glimbot. Antennae and goggling eyes come out of the earth first.

#include "tools/make_assets/sprites/creature_canvas.h"

namespace art {

void DrawGrunt(CreatureCanvas& c)
{
    const Ramp skin = c.Skin();
    const BYTE line = c.LineColour();
    // Antennae with glowing bulbs.
    c.Line({0.40f, 0.34f}, {0.27f, 0.10f}, 0.045f, skin.At(7));
    c.Line({0.60f, 0.34f}, {0.73f, 0.10f}, 0.045f, skin.At(7));
    c.Blob({0.26f, 0.09f}, 0.065f, 0.065f, CREATURE_GLOW, 8, 15);
    c.Blob({0.74f, 0.09f}, 0.065f, 0.065f, CREATURE_GLOW, 8, 15);
    // Stubby arms behind the body, then the body.
    c.Blob({0.12f, 0.68f}, 0.08f, 0.07f, skin, 6, 13);
    c.Blob({0.88f, 0.68f}, 0.08f, 0.07f, skin, 6, 13);
    c.Blob({0.50f, 0.63f}, 0.37f, 0.34f, skin);
    // Belly spots.
    c.Ellipse({0.33f, 0.80f}, 0.035f, 0.03f, skin.At(8));
    c.Ellipse({0.66f, 0.84f}, 0.03f, 0.025f, skin.At(8));
    // Eyes with angry brows.
    c.Eye({0.37f, 0.42f}, 0.115f, 0.35f, 0.3f);
    c.Eye({0.63f, 0.42f}, 0.115f, -0.35f, 0.3f);
    c.Line({0.23f, 0.28f}, {0.44f, 0.33f}, 0.05f, line);
    c.Line({0.77f, 0.28f}, {0.56f, 0.33f}, 0.05f, line);
    // A wide grin with a row of teeth.
    c.Polygon({{0.28f, 0.61f}, {0.72f, 0.61f}, {0.64f, 0.74f}, {0.50f, 0.78f}, {0.36f, 0.74f}},
              line);
    for (int tooth = 0; tooth < 4; ++tooth) {
        const float x = 0.33f + 0.095f * static_cast<float>(tooth);
        c.Polygon({{x, 0.62f}, {x + 0.08f, 0.62f}, {x + 0.04f, 0.69f}}, CREATURE_PALE.At(14));
    }
    c.Outline();
}

} // namespace art
