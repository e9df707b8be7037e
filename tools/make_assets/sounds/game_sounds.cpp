#include "tools/make_assets/sounds/game_sounds.h"

#include <string>

#include "tools/make_assets/sounds/render.h"

namespace audio {

std::vector<PcmSound> SoundPackEntries(Quality quality)
{
    std::vector<PcmSound> entries;
    entries.push_back(Render("shot", ShotSound(), quality));
    entries.push_back(Render("game over", GameOverJingle(), quality));
    for (int variant = 0; variant < POP_SOUNDS; ++variant)
        entries.push_back(Render("pop " + std::to_string(variant + 1), PopSound(variant), quality));
    return entries;
}

} // namespace audio
