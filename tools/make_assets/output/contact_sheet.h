#pragma once
// One picture that shows every picture and sprite of the game at its real size, each under its
// name, transparent parts on a checkerboard.

#include <vector>

#include "tools/make_assets/art/picture.h"

namespace art {

Picture ContactSheet(const std::vector<Picture>& pictures, const std::vector<Picture>& sprites);
// Pictures one under the other, left-aligned, on the sheet's background.
Picture StackedPictures(const std::vector<Picture>& pictures);

} // namespace art
