// Type 2: the glimbot that floats high. A rotor and wings carry it, and its dangling legs show
// once it is clear of the ground.

#include "tools/make_assets/sprites/creature_canvas.h"

namespace art {

void DrawFloater(CreatureCanvas& c)
{
    const Ramp skin = c.Skin();
    const BYTE line = c.LineColour();
    // Rotor: a blurred disc of blades on a mast.
    c.Ellipse({0.50f, 0.085f}, 0.42f, 0.045f, GREYS.At(12));
    c.Ellipse({0.50f, 0.085f}, 0.30f, 0.025f, GREYS.At(15));
    c.Line({0.50f, 0.09f}, {0.50f, 0.24f}, 0.05f, GREYS.At(7));
    c.Blob({0.50f, 0.085f}, 0.05f, 0.04f, CREATURE_GLOW, 8, 15);
    // Dangling legs with round feet.
    c.Line({0.40f, 0.66f}, {0.33f, 0.87f}, 0.05f, skin.At(7));
    c.Line({0.50f, 0.70f}, {0.50f, 0.91f}, 0.05f, skin.At(7));
    c.Line({0.60f, 0.66f}, {0.67f, 0.87f}, 0.05f, skin.At(7));
    for (float x : {0.33f, 0.50f, 0.67f}) {
        c.Blob({x, x == 0.50f ? 0.91f : 0.87f}, 0.05f, 0.04f, skin, 6, 13);
    }
    // Feathered wings on both sides.
    c.Shape({{0.26f, 0.40f},
             {0.05f, 0.24f},
             {0.09f, 0.36f},
             {0.04f, 0.42f},
             {0.11f, 0.48f},
             {0.08f, 0.55f},
             {0.24f, 0.54f}},
            CREATURE_PALE, 8, 15);
    c.Shape({{0.74f, 0.40f},
             {0.95f, 0.24f},
             {0.91f, 0.36f},
             {0.96f, 0.42f},
             {0.89f, 0.48f},
             {0.92f, 0.55f},
             {0.76f, 0.54f}},
            CREATURE_PALE, 8, 15);
    // Round balloon of a body.
    c.Blob({0.50f, 0.46f}, 0.28f, 0.26f, skin);
    c.Ellipse({0.50f, 0.63f}, 0.18f, 0.035f, skin.At(8)); // a belt of darker skin
    // Wide eyes and a small round mouth: it is surprised to be shot at.
    c.Eye({0.40f, 0.40f}, 0.09f, 0.2f, 0.3f, 0.4f);
    c.Eye({0.60f, 0.40f}, 0.09f, -0.2f, 0.3f, 0.4f);
    c.Ellipse({0.50f, 0.54f}, 0.045f, 0.04f, line);
    c.Outline();
}

} // namespace art
