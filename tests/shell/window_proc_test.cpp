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
        window = test::MakeFocusedWindow(GameWindowProc, "qvclass32_test", CS_DBLCLKS);
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

TEST_F(WindowProcTest, ScriptedEventsArriveAtTheirTimeAsTheGameReadsThem)
{
    Start("3 click\n10 dblclick\n"
          "# aim, then shoot\n14 move 600 50\n19 click\n"
          "25 key 0x10\n26 key 0x12\n27 key 0x79\n" // Shift, then Alt and F10
          "40 close\n");
    PumpMessages();
    PumpMessages();
    EXPECT_EQ(timeGetTime(), 1000002u); // each pump moves the virtual clock a millisecond
    PumpUntil(3);
    EXPECT_TRUE(clickPending);
    clickPending = FALSE;
    PumpUntil(11);
    EXPECT_FALSE(clickPending); // the second press of a double click is no click
    POINT point {};
    GetCursorPos(&point);
    EXPECT_NE(point.x, 600);
    PumpUntil(18);
    GetCursorPos(&point);
    EXPECT_EQ(point.x, 600);
    EXPECT_EQ(point.y, 50);
    EXPECT_FALSE(clickPending);
    PumpUntil(19);
    EXPECT_TRUE(clickPending);
    PumpUntil(25);
    EXPECT_EQ(lastKey, 0x10u);
    lastKey = 0;
    PumpUntil(28);
    EXPECT_EQ(lastKey, 0u); // system keys set no key
    // A closed window ends every wait as on a key.
    PumpUntil(40);
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
