// Type 1: the horned one-eyed glimbot; horns and its great eye break the ground first.

#include "tools/make_assets/sprites/creature_canvas.h"

namespace art {

void DrawCyclops(CreatureCanvas& c)
{
    const Ramp skin = c.Skin();
    const BYTE line = c.LineColour();
    // Curved horns.
    c.Shape({{0.28f, 0.36f}, {0.40f, 0.27f}, {0.24f, 0.16f}, {0.17f, 0.05f}, {0.15f, 0.20f}},
            CREATURE_PALE, 7, 15);
    c.Shape({{0.72f, 0.36f}, {0.60f, 0.27f}, {0.76f, 0.16f}, {0.83f, 0.05f}, {0.85f, 0.20f}},
            CREATURE_PALE, 7, 15);
    // Clawed hands, then the egg-shaped body.
    c.Blob({0.16f, 0.74f}, 0.07f, 0.08f, skin, 6, 13);
    c.Blob({0.84f, 0.74f}, 0.07f, 0.08f, skin, 6, 13);
    c.Blob({0.50f, 0.59f}, 0.33f, 0.38f, skin);
    // Lighter spots on the back of the head.
    c.Ellipse({0.30f, 0.33f}, 0.04f, 0.03f, skin.At(13));
    c.Ellipse({0.70f, 0.31f}, 0.03f, 0.025f, skin.At(13));
    // The single eye: yellow iris, slit pupil.
    c.Ellipse({0.50f, 0.43f}, 0.19f, 0.17f, line);
    c.Blob({0.50f, 0.43f}, 0.17f, 0.15f, CREATURE_PALE, 11, 15);
    c.Blob({0.52f, 0.44f}, 0.10f, 0.10f, CREATURE_GLOW, 9, 15);
    c.Ellipse({0.52f, 0.44f}, 0.028f, 0.085f, CREATURE_PALE.At(4));
    c.Ellipse({0.47f, 0.39f}, 0.025f, 0.025f, CREATURE_PALE.Last());
    // Heavy lid over the eye, and a fanged mouth.
    c.Polygon({{0.31f, 0.37f},
               {0.50f, 0.29f},
               {0.69f, 0.37f},
               {0.69f, 0.33f},
               {0.50f, 0.25f},
               {0.31f, 0.33f}},
              line);
    c.Polygon({{0.34f, 0.71f}, {0.66f, 0.71f}, {0.58f, 0.80f}, {0.42f, 0.80f}}, line);
    c.Polygon({{0.38f, 0.71f}, {0.45f, 0.71f}, {0.415f, 0.81f}}, CREATURE_PALE.At(14));
    c.Polygon({{0.55f, 0.71f}, {0.62f, 0.71f}, {0.585f, 0.81f}}, CREATURE_PALE.At(14));
    c.Outline();
}

} // namespace art
