#include <fstream>

#include "platform/backend.h"
#include "platform/mmtime.h"
#include "shell/input_state.h"
#include "shell/window_proc.h"
#include "tests/common/test_support.h"

namespace {

// A game window on the headless backend, fed by a script written for each test.
class WindowProcTest : public test::TempFolderTest {
protected:
    void Start(const char* script)
    {
        ASSERT_TRUE(StartHeadless(script));
        WNDCLASSA windowClass {CS_DBLCLKS, GameWindowProc, 0,       0,       nullptr,
                               nullptr,    nullptr,        nullptr, nullptr, "qvclass32_test"};
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "qvclass32_test", "Kill Glimbot", WS_POPUP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 nullptr, nullptr);
        SetFocus(window);
        lastKey = 0;
        clickPending = FALSE;
    }
    void TearDown() override
    {
        DestroyWindow(window);
        PumpMessages();
        platform::StopBackend();
        test::TempFolderTest::TearDown();
    }
    // Pumps until the virtual clock reaches ms.
    static void PumpUntil(DWORD ms)
    {
        while (timeGetTime() < 1000000 + ms) PumpMessages();
    }

    HWND window = nullptr;
};

TEST_F(WindowProcTest, EachPumpMovesTheVirtualClockOneMillisecond)
{
    Start("");
    const DWORD before = timeGetTime();
    PumpMessages();
    PumpMessages();
    EXPECT_EQ(timeGetTime() - before, 2u);
}

TEST_F(WindowProcTest, KeysSetLastKeyButSystemKeysDoNot)
{
    Start("5 key 0x10\n"   // Shift
          "6 key 0x12\n"   // Alt
          "7 key 0x79\n"); // F10
    PumpUntil(5);
    EXPECT_EQ(lastKey, 0x10u);
    lastKey = 0;
    PumpUntil(8);
    EXPECT_EQ(lastKey, 0u);
}

TEST_F(WindowProcTest, TheSecondPressOfADoubleClickIsNoClick)
{
    Start("3 click\n10 dblclick\n");
    PumpUntil(3);
    EXPECT_TRUE(clickPending);
    clickPending = FALSE;
    PumpUntil(11);
    EXPECT_FALSE(clickPending);
}

TEST_F(WindowProcTest, ScriptedEventsArriveAtTheirTimeAndMoveThePointer)
{
    Start("# aim, then shoot\n"
          "4 move 600 50\n"
          "9 click\n");
    PumpUntil(3);
    POINT point {};
    GetCursorPos(&point);
    EXPECT_NE(point.x, 600);
    PumpUntil(8);
    GetCursorPos(&point);
    EXPECT_EQ(point.x, 600);
    EXPECT_EQ(point.y, 50);
    EXPECT_FALSE(clickPending);
    PumpUntil(9);
    EXPECT_TRUE(clickPending);
}

TEST_F(WindowProcTest, AClosedWindowEndsEveryWaitAsOnAKey)
{
    Start("20 close\n");
    PumpUntil(20);
    for (int screen = 0; screen < 3; ++screen) {
        lastKey = 0;
        PumpMessages();
        EXPECT_NE(lastKey, 0u);
    }
}

TEST_F(WindowProcTest, AFinishedScriptClosesAMinuteAfterItsLastEvent)
{
    Start("100 key 65\n");
    PumpUntil(60099);
    EXPECT_FALSE(platform::CloseRequested());
    PumpMessages();
    EXPECT_TRUE(platform::CloseRequested());
}

} // namespace
