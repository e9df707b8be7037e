#pragma once
// The steel of the game's frames: strips, wells for numbers and texts, rivets.

#include "tools/make_assets/art/paint.h"

namespace art {

// A brushed steel strip with bevelled edges and a rivet near each end.
void SteelStrip(Picture& picture, Box box);
// A dark well sunk into the steel, where the game writes its white numbers.
void InsetWell(Picture& picture, Box box);
void Rivet(Picture& picture, Point centre);

} // namespace art
