#pragma once
// One number for the state of a run's world: the ground, the creatures, the drops, the stains,
// the scores and the scene's pixels. Text is drawn on the back surface only, never into the
// scene, so the number does not depend on the machine's fonts.

#include <cstdint>

// everyPixel false: of the scene only the stained band under the ground line, the one part
// play paints, so that a digest every second costs next to nothing.
std::uint64_t WorldDigest(bool everyPixel);
