#include "tests/world/world_fixture.h"

#include <cstring>
#include <string>

#include "graphics/game_fonts.h"
#include "world/hud.h"

namespace {

using namespace test;

class HudTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        hudFont = MakeFont(18);
        bigFont = MakeFont(36);
        hudBlink = 0;
        expected = CreateSystemSurface(640, 480);
    }
    void TearDown() override
    {
        DeleteObject(hudFont);
        DeleteObject(bigFont);
        WorldTest::TearDown();
    }
    // The HUD as it must look, written out call by call; d < 0 for no message.
    Picture Expected(COLORREF killsColour, const char* k, const char* s, LONG d)
    {
        FillSurface(expected, BACKDROP);
        HDC dc = nullptr;
        expected->GetDC(&dc);
        SetBkMode(dc, TRANSPARENT);
        auto write = [&](LONG x, LONG y, const char* text, COLORREF colour) {
            SetTextColor(dc, colour);
            TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
        };
        SelectObject(dc, hudFont);
        write(162, 460, k, RGB(0, 0, 0));
        write(160, 458, k, killsColour);
        write(427, 460, s, RGB(0, 0, 0));
        write(425, 458, s, RGB(255, 255, 255));
        if (d >= 0) {
            SelectObject(dc, bigFont);
            SIZE size {};
            GetTextExtentPoint32A(dc, messageText, std::strlen(messageText), &size);
            write(320 - size.cx / 2 - d + 2, 102, messageText, RGB(0, 63, 91));
            write(320 - size.cx / 2 + d, 100, messageText, messageColor);
        }
        expected->ReleaseDC(dc);
        return Pixels(expected);
    }
    static Picture Drawn()
    {
        FillSurface(backSurface, BACKDROP);
        DrawHud();
        return Pixels(backSurface);
    }
    LPDIRECTDRAWSURFACE expected = nullptr;
};

TEST_F(HudTest, ABonusMessageSlidesTogetherInItsFirstSecond)
{
    kills = 25;
    score = -7;
    messageKind = MESSAGE_KILLER_BONUS;
    messageColor = RGB(240, 240, 0);
    std::strcpy(messageText, "KILLER BONUS +50");
    for (LONG timeLeft : {2000, 1500, 1004}) {
        messageTimeLeft = timeLeft;
        EXPECT_EQ(Drawn(), Expected(RGB(255, 0, 0), "25", "-7", timeLeft / 10 - 100));
    }
    messageKind = MESSAGE_BLOOD_BONUS; // the kill count turns white again
    EXPECT_EQ(Drawn(), Expected(RGB(255, 255, 255), "25", "-7", 0));
}

TEST_F(HudTest, InItsLastSecondTheMessageShowsOn5Of8Ticks)
{
    messageKind = MESSAGE_BLOOD_BONUS;
    messageTimeLeft = 999;
    std::strcpy(messageText, "BLOOD BONUS +200");
    const Picture withoutMessage = Expected(RGB(255, 255, 255), "0", "0", -1);
    std::string shown;
    for (int tick = 0; tick < 16; ++tick) shown += Drawn() == withoutMessage ? '-' : 'M';
    EXPECT_EQ(shown, "--MMMMM---MMMMM-");
}

TEST_F(HudTest, WithoutADeviceContextNothingIsDrawnNorCounted)
{
    platform::FailOperation("GetDC", DDERR_DCALREADYCREATED);
    EXPECT_EQ(Drawn(), blank);
    EXPECT_EQ(hudBlink, 0u);
}

} // namespace
