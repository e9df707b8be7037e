#include "tools/make_assets/sounds/game_sounds.h"

#include <string>

#include "tools/make_assets/sounds/render.h"

namespace audio {

std::vector<SoundEntry> SoundPackEntries(Quality quality)
{
    std::vector<SoundEntry> entries;
    entries.push_back({"shot", Render(ShotSound(), quality)});
    entries.push_back({"game over", Render(GameOverJingle(), quality)});
    for (int variant = 0; variant < POP_SOUNDS; ++variant)
        entries.push_back(
            {"pop " + std::to_string(variant + 1), Render(PopSound(variant), quality)});
    return entries;
}

} // namespace audio
