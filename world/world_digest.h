#pragma once
// One number for the state of a run's world: the ground, the creatures, the drops, the stains,
// the scores and the scene's pixels. Text is drawn on the back surface only, never into the
// scene, so the number does not depend on the machine's fonts.

#include <cstdint>

std::uint64_t WorldDigest();
