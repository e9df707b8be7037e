#include "tools/make_assets/sprites/creature_sprites.h"

#include <string>

#include "tools/make_assets/sprites/creature_canvas.h"

namespace art {
namespace {

struct CreatureDesign {
    void (*draw)(CreatureCanvas&);
    Ramp skin;
};

constexpr CreatureDesign designs[CREATURE_TYPES] = {
    {DrawGrunt, CREATURE_GREEN},
    {DrawCyclops, CREATURE_PURPLE},
    {DrawFloater, CREATURE_ORANGE},
    {DrawHelmet, CREATURE_TEAL},
};

} // namespace

std::vector<Picture> CreatureSprites()
{
    std::vector<Picture> sprites;
    for (int type = 0; type < CREATURE_TYPES; ++type) {
        Picture sprite("glimbot " + std::to_string(type), SPRITE_SIZE, SPRITE_SIZE, 0,
                       TRANSPARENT_KEY);
        // One pixel in from each edge: the outline stays inside and the border transparent.
        CreatureCanvas canvas(sprite, 1.0f, 1.0f, static_cast<float>(SPRITE_SIZE - 2),
                              designs[type].skin);
        designs[type].draw(canvas);
        sprites.push_back(std::move(sprite));
    }
    return sprites;
}

} // namespace art
