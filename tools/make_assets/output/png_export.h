#pragma once
// Pictures out as indexed PNG files, in the game's palette, for review and for the icons.

#include <string>

#include "tools/make_assets/art/picture.h"

namespace art {

// A keyed picture's key becomes the PNG's transparent colour.
bool WritePicturePng(const Picture& picture, const std::string& path);

} // namespace art
