// Type 3: the armoured glimbot under a glass dome, with pincer claws.

#include "tools/make_assets/sprites/creature_canvas.h"

namespace art {

void DrawHelmet(CreatureCanvas& c)
{
    const Ramp skin = c.Skin();
    const BYTE line = c.LineColour();
    // Antenna light on top of the dome.
    c.Line({0.50f, 0.20f}, {0.50f, 0.07f}, 0.04f, GREYS.At(9));
    c.Blob({0.50f, 0.07f}, 0.055f, 0.055f, CREATURE_PURPLE, 9, 15);
    // Pincers.
    c.Shape({{0.16f, 0.62f},
             {0.04f, 0.52f},
             {0.10f, 0.50f},
             {0.15f, 0.56f},
             {0.13f, 0.46f},
             {0.20f, 0.50f},
             {0.22f, 0.62f}},
            skin, 6, 14);
    c.Shape({{0.84f, 0.62f},
             {0.96f, 0.52f},
             {0.90f, 0.50f},
             {0.85f, 0.56f},
             {0.87f, 0.46f},
             {0.80f, 0.50f},
             {0.78f, 0.62f}},
            skin, 6, 14);
    // Armoured body with a row of rivets.
    c.Blob({0.50f, 0.70f}, 0.36f, 0.27f, skin);
    c.Ellipse({0.50f, 0.66f}, 0.30f, 0.035f, line);
    for (float x : {0.30f, 0.43f, 0.57f, 0.70f})
        c.Blob({x, 0.75f}, 0.03f, 0.03f, CREATURE_PALE, 9, 15);
    // Glass dome with the creature's face inside: two glowing eyes.
    c.Ellipse({0.50f, 0.40f}, 0.26f, 0.23f, line);
    c.Blob({0.50f, 0.40f}, 0.24f, 0.21f, skin, 9, 15);
    c.Blob({0.50f, 0.45f}, 0.16f, 0.13f, skin, 5, 10);
    c.Blob({0.43f, 0.43f}, 0.05f, 0.045f, CREATURE_GLOW, 10, 15);
    c.Blob({0.57f, 0.43f}, 0.05f, 0.045f, CREATURE_GLOW, 10, 15);
    c.Line({0.43f, 0.51f}, {0.57f, 0.51f}, 0.025f, line);
    c.Ellipse({0.36f, 0.30f}, 0.05f, 0.03f, CREATURE_PALE.Last()); // the glass's gleam
    c.Outline();
}

} // namespace art
