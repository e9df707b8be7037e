// The runtime's random numbers: the original runtime's exact sequence.

#include <gtest/gtest.h>

#include <vector>

#include "platform/crt.h"

namespace {
std::vector<int> FirstValues(unsigned int seed, int count)
{
    crt::srand(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i) values.push_back(crt::rand());
    return values;
}

TEST(Rand, FollowsTheOriginalRuntimeSequence)
{
    EXPECT_EQ(FirstValues(1, 5), (std::vector<int> {41, 18467, 6334, 26500, 19169}));
    EXPECT_EQ(FirstValues(0, 2), (std::vector<int> {38, 7719}));
    // The seed a headless run gets from a key at 4000 ms of virtual time.
    EXPECT_EQ(FirstValues(1004000, 3), (std::vector<int> {1880, 20596, 19051}));
    // The seed arithmetic wraps at 32 bits.
    EXPECT_EQ(FirstValues(0xFFFFFFFFu, 3), (std::vector<int> {35, 29739, 3374}));
}

} // namespace
