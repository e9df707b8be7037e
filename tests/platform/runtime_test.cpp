// The runtime's random numbers and the platform's formatter.

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/crt.h"
#include "platform/user.h"

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

std::string Format(const char* format, auto... arguments)
{
    char buffer[WSPRINTF_LIMIT + 1];
    const int count = wsprintfA(buffer, format, arguments...);
    EXPECT_EQ(count, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

TEST(Wsprintf, TheGamesDirectivesFlagsWidthAndPrecisionUpToTheLimit)
{
    EXPECT_EQ(Format("OUTRANGE in %s: ", "CLNSTRING"), "OUTRANGE in CLNSTRING: ");
    EXPECT_EQ(Format("%u (%u)", 40u, 52u), "40 (52)");
    EXPECT_EQ(Format("%d", -20), "-20");
    EXPECT_EQ(Format("%u", 4294967295u), "4294967295");
    EXPECT_EQ(Format("modulo 0x%x", 0x1ABCu), "modulo 0x1abc");
    EXPECT_EQ(Format("[%8x]", 0xBEEFu), "[    beef]");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("code %u-0x%x ", 1u, 0x78u), "code 1-0x78 ");
    EXPECT_EQ(Format("50%"), "50"); // a trailing percent ends the output
    EXPECT_EQ(Format("[%-5d]", 42), "[42   ]");
    EXPECT_EQ(Format("[%05d]", -42), "[-0042]");
    EXPECT_EQ(Format("[%#x]", 255u), "[0xff]");
    EXPECT_EQ(Format("[%08X]", 0x8876017Cu), "[8876017C]");
    EXPECT_EQ(Format("[%.3s]", "abcdef"), "[abc]");
    EXPECT_EQ(Format("[%5s]", "ab"), "[   ab]");
    EXPECT_EQ(Format("[%c]", 'Q'), "[Q]");
    EXPECT_EQ(Format("[%s]", static_cast<const char*>(nullptr)), "[(null)]");
    EXPECT_EQ(Format("%d", -2147483647 - 1), "-2147483648");
    const std::string longText(3000, 'a'); // the output stops at the limit
    EXPECT_EQ(Format("%s and more", longText.c_str()), std::string(WSPRINTF_LIMIT, 'a'));
}

} // namespace
