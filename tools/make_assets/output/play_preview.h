#pragma once
// A still of the play screen as the game composes it, to judge the art where it is used: the
// ground painted from a random ground line, glimbots rising out of it, blood, the kill count,
// the score and a bonus message.

#include <vector>

#include "tools/make_assets/art/picture.h"

namespace art {

Picture PlayPreview(const Picture& backdrop, const std::vector<Picture>& sprites);

} // namespace art
