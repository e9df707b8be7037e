#pragma once
// The game's sound effects, in the order of the sound packs' entries.

#include <vector>

#include "tools/make_assets/sounds/signal.h"

namespace audio {

inline constexpr int POP_SOUNDS = 5;

Signal ShotSound();           // entry 0
Signal GameOverJingle();      // entry 1
Signal PopSound(int variant); // entries 2 to 6: variant 0 to 4

// Every entry of a sound pack, rendered in one quality.
std::vector<SoundEntry> SoundPackEntries(Quality quality);

} // namespace audio
