#include <cmath>

#include "tools/make_assets/art/random.h"

namespace art {
namespace {

float LatticeValue(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27D4EB2Du)
                      ^ (static_cast<std::uint32_t>(y) * 0x165667B1u);
    h ^= h >> 15;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / 16777215.0f;
}

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

} // namespace

float ValueNoise(float x, float y, std::uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float tx = Smooth(x - fx);
    const float ty = Smooth(y - fy);
    const float top = LatticeValue(ix, iy, seed)
                      + tx * (LatticeValue(ix + 1, iy, seed) - LatticeValue(ix, iy, seed));
    const float bottom =
        LatticeValue(ix, iy + 1, seed)
        + tx * (LatticeValue(ix + 1, iy + 1, seed) - LatticeValue(ix, iy + 1, seed));
    return top + ty * (bottom - top);
}

float FractalNoise(float x, float y, int octaves, std::uint32_t seed)
{
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * ValueNoise(x, y, seed + static_cast<std::uint32_t>(octave) * 7919u);
        total += weight;
        weight *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
    }
    return sum / total;
}

} // namespace art
