#include "platform/backend.h"
#include "platform/ddraw.h"
#include "platform/fault.h"
#include "shell/win_main.h"
#include "tests/common/test_support.h"

namespace {

using StartUpOrderTest = test::TempFolderTest;

TEST_F(StartUpOrderTest, ADisplayThatDoesNotStartRunsNoScreenAndStillClosesTheLog)
{
    ASSERT_TRUE(StartHeadless(""));
    platform::FailOperation("SetDisplayMode", DDERR_INVALIDMODE);
    EXPECT_EQ(WinMain(nullptr, nullptr, const_cast<char*>(""), 1), 0);
    platform::ClearFailures();
    platform::StopBackend();
    // The catalogue is missing here, so no text follows the code.
    EXPECT_EQ(ReadFile("debug.txt"), "Questo non è un file di errori valido\r\n"
                                     "DirectDraw ERROR(:SetDisplayMode): code 1-0x78 \n"
                                     "==== END ====\r\n");
}

TEST(CommandLineHasChar, FindsTheByteAnywhereAndOnlyThatByte)
{
    EXPECT_EQ(CommandLineHasChar("fast mode", 's'), 1);
    EXPECT_EQ(CommandLineHasChar("FAST MODE", 's'), 0);
    EXPECT_EQ(CommandLineHasChar("", 's'), 0);
}

} // namespace
