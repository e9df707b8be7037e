#pragma once
// The window icon: a glimbot in the gun sight on a steel badge, in every size a desktop asks
// for. Index 255 is transparent.

#include <vector>

#include "tools/make_assets/art/picture.h"

namespace art {

inline constexpr int ICON_SIZES[] = {32, 48, 64, 128, 256};

Picture WindowIcon(int size);

} // namespace art
