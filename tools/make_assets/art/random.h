#pragma once
// The generator's own deterministic randomness: the same numbers on every run and machine.

#include <cstdint>

namespace art {

// Small xorshift generator; each picture or sound seeds its own, so one change stays local.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}

    std::uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }
    // Uniform in [low, high).
    float Range(float low, float high) { return low + (high - low) * Unit(); }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint32_t>(bound)); }

private:
    std::uint32_t state_;
};

// Smooth lattice noise in [0, 1] and its sum over octaves, from a hash instead of a table.
float ValueNoise(float x, float y, std::uint32_t seed);
float FractalNoise(float x, float y, int octaves, std::uint32_t seed);

} // namespace art
