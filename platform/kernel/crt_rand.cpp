// The original runtime's linear congruential generator.

#include "platform/crt.h"

#include <cstdint>

namespace crt {
namespace {

std::uint32_t randomSeed = 1;

} // namespace

void srand(unsigned int seed) { randomSeed = seed; }

int rand()
{
    randomSeed = randomSeed * 214013u + 2531011u;
    return static_cast<int>((randomSeed >> 16) & 0x7FFF);
}

} // namespace crt
