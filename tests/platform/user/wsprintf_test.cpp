// The platform's formatter: the game's directives, flags, width and precision, up to its limit.

#include <gtest/gtest.h>

#include <string>

#include "platform/user.h"

namespace {

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
