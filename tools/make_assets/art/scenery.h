#pragma once
// Landscape pieces shared by the backdrops: skies, mountain ridges, clouds, stars, splashes.

#include <cstdint>

#include "tools/make_assets/art/paint.h"
#include "tools/make_assets/art/random.h"

namespace art {

// The ramp from its first step at row top to its last at row bottom, dithered.
void PaintSky(Picture& picture, Box box, Ramp ramp);

struct Ridge {
    float baseRow;   // the ridge's average height
    float amplitude; // how far peaks and valleys stray from it, in rows
    float width;     // columns per noise feature: wide for gentle hills, narrow for crags
    std::uint32_t seed;
};
// The row of the ridge's crest in column x.
float RidgeCrest(const Ridge& ridge, int x);
// Fills from the crest down to row bottom, lit at the crest and darkening downwards.
void PaintRidge(Picture& picture, const Ridge& ridge, int bottom, Ramp ramp);

// A soft heap of cloud: overlapping puffs, lit from above.
void PaintCloud(Picture& picture, Point centre, float width, std::uint32_t seed);
void PaintStars(Picture& picture, Box box, int count, std::uint32_t seed);
// A splash of blood: a blot with droplets and runs.
void PaintSplash(Picture& picture, Point centre, float radius, std::uint32_t seed);

} // namespace art
