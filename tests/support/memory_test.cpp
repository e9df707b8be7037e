#include <algorithm>

#include "support/memory.h"
#include "tests/common/log_session.h"

namespace {

using MemoryTest = test::LogSessionTest;

TEST_F(MemoryTest, ZeroBytesAreRefusedWithATwoPieceLine)
{
    EXPECT_EQ(MemAlloc(0), nullptr);
    EXPECT_EQ(LogText(), "OUTRANGE: CAN'T ALLOCATE ZERO BYTE\r\n");
}

TEST_F(MemoryTest, TheRangeEndsJustBelowThirtyTwoMillion)
{
    EXPECT_EQ(MemAlloc(32000000, "big.dat"), nullptr);
    EXPECT_EQ(MemAlloc(0xFFFFFFF8u), nullptr); // a size that wrapped below zero
    void* largest = MemAlloc(31999999, "big.dat");
    ASSERT_NE(largest, nullptr);
    const auto* bytes = static_cast<const BYTE*>(largest);
    EXPECT_TRUE(std::all_of(bytes, bytes + 31999999, [](BYTE b) { return b == 0; }));
    MemFree(largest);
    EXPECT_EQ(LogText(), "OUTRANGE in big.dat: OUT OF STDALLOC MEMORY RANGE\r\n"
                         "OUTRANGE: OUT OF STDALLOC MEMORY RANGE\r\n");
}

TEST_F(MemoryTest, FreeingNothingIsReportedOnce)
{
    MemFree(nullptr);
    EXPECT_EQ(LogText(), "ERROR: Try To Free NULL Pointer ???\r\n");
}

TEST_F(MemoryTest, CloneStringCopiesWithItsTerminator)
{
    char* empty = CloneString("");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], '\0');
    char* copy = CloneString("glimbot");
    EXPECT_STREQ(copy, "glimbot");
    EXPECT_EQ(CloneString(nullptr), nullptr);
    MemFree(empty);
    MemFree(copy);
    EXPECT_EQ(LogText(), "");
}

} // namespace
