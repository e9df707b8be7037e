#pragma once
// The four 48 x 48 creature images of "GLIM.PCK", by type; index 255 is transparent.

#include <vector>

#include "tools/make_assets/art/picture.h"

namespace art {

inline constexpr int SPRITE_SIZE = 48;
inline constexpr int CREATURE_TYPES = 4;

std::vector<Picture> CreatureSprites();

} // namespace art
