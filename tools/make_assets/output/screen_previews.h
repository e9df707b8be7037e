#pragma once
// Stills of the screens as the game composes them, to judge the art where it is used.

#include <vector>

#include "tools/make_assets/art/picture.h"

namespace art {

// Play: the ground painted from a random ground line, glimbots rising out of it, blood, the
// kill count, the score and a bonus message.
Picture PlayPreview(const Picture& backdrop, const std::vector<Picture>& sprites);
// The game-over picture dropped onto the last frame of play.
Picture GameOverPreview(const Picture& lastFrame);
// The title screen once its animation has ended, with its version texts.
Picture TitlePreview();
// The Killer List with ten rows of names and scores.
Picture KillerListPreview();

} // namespace art
