#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/backend/sdl/controller_aim.h"
#include "platform/backend/sdl/sdl_controllers.h"
#include "platform/user.h"
#include "platform/user/input.h"
#include "tests/common/test_support.h"

namespace {

TEST(CrosshairMotionTest, ADeadZoneThenSpeedGrowingWithTheDeflection)
{
    EXPECT_EQ(platform::CrosshairMotion(7000, -3000, 600, 1000).x, 0.0); // resting stick
    const platform::Motion full = platform::CrosshairMotion(32767, 0, 600, 1000);
    EXPECT_NEAR(full.x, 600.0, 0.01);
    EXPECT_EQ(full.y, 0.0);
    EXPECT_NEAR(platform::CrosshairMotion(-32768, 0, 600, 500).x, -300.0, 0.01);
    // Half way between the dead zone and the edge: a quarter of the speed.
    const int half = (8000 + 32767) / 2;
    EXPECT_NEAR(platform::CrosshairMotion(0, half, 600, 1000).y, 150.0, 0.1);
    const platform::Motion diagonal = platform::CrosshairMotion(-30000, 30000, 400, 100);
    EXPECT_NEAR(diagonal.x, -diagonal.y, 1e-9);
    EXPECT_NEAR(std::hypot(diagonal.x, diagonal.y), 40.0, 0.01); // held to full deflection
}

// Records what reaches the game's window.
std::vector<MSG> received;

LRESULT RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) received.push_back({window, message, wParam, lParam, 0, {}});
    return DefWindowProcA(window, message, wParam, lParam);
}

// SDL's virtual joystick stands in for a controller.
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = test::MakeFocusedWindow(RecordingWindowProc, "pad_test");
        controllers = std::make_unique<platform::SdlControllers>(platform::ControllerOptions {});
        device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                           SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(device, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(device);
        ASSERT_NE(joystick, nullptr);
        Deliver();
        Drain();
    }
    void TearDown() override
    {
        if (joystick != nullptr) SDL_JoystickClose(joystick);
        SDL_JoystickDetachVirtual(device);
        controllers.reset();
        DestroyWindow(window);
    }

    // Hands SDL's pending events to the controllers, and what they make of them to the
    // window, as the backend's pump and the message queue do.
    void Deliver()
    {
        SDL_JoystickUpdate();
        SDL_PumpEvents();
        SDL_Event event;
        std::vector<platform::InputEvent> input;
        while (SDL_PollEvent(&event)) controllers->Handle(event, input);
        Take(input);
    }
    void Update(Uint32 nowMs)
    {
        std::vector<platform::InputEvent> input;
        controllers->Update(nowMs, input);
        Take(input);
    }
    void Take(const std::vector<platform::InputEvent>& input)
    {
        const std::vector<MSG> made = platform::MessagesFor(input);
        posted.insert(posted.end(), made.begin(), made.end());
    }
    void Drain()
    {
        received.clear();
        for (const MSG& message : posted) DispatchMessageA(&message);
        posted.clear();
    }
    static POINT Pointer()
    {
        POINT at {};
        GetCursorPos(&at);
        return at;
    }
    void Press(SDL_GameControllerButton button)
    {
        SDL_JoystickSetVirtualButton(joystick, button, 1);
        Deliver();
        SDL_JoystickSetVirtualButton(joystick, button, 0);
        Deliver();
        Drain();
    }

    HWND window = nullptr;
    std::unique_ptr<platform::SdlControllers> controllers;
    int device = -1;
    SDL_Joystick* joystick = nullptr;
    std::vector<MSG> posted;
};

TEST_F(ControllerTest, TheStickAndThePadMoveTheCrosshair)
{
    const POINT start = Pointer();
    Update(1000);
    EXPECT_FALSE(controllers->Aiming());
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    Deliver();
    EXPECT_TRUE(controllers->Aiming());
    Update(1050); // 50 ms at 600 pixels a second
    Drain();
    EXPECT_EQ(Pointer().x, start.x + 30);
    EXPECT_EQ(Pointer().y, start.y);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().message, static_cast<UINT>(WM_MOUSEMOVE));

    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 0);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
    Deliver();
    Update(1100);
    EXPECT_EQ(Pointer().y, start.y - 30);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_UP, 0);
    Deliver();
    Update(1200);
    EXPECT_EQ(Pointer().y, start.y - 30);
    EXPECT_FALSE(controllers->Aiming());
    Drain();
}

TEST_F(ControllerTest, ButtonsAndTheTriggerAreClicksAndKeysAndUnpluggingChangesNothingElse)
{
    Press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    const POINT at = Pointer();
    EXPECT_EQ(received[0].lParam, static_cast<LPARAM>((at.y << 16) | at.x));
    Press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(received[0].wParam, static_cast<WPARAM>(VK_RETURN));
    Press(SDL_CONTROLLER_BUTTON_B);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0].wParam, static_cast<WPARAM>(VK_RETURN));
    Press(SDL_CONTROLLER_BUTTON_X);
    EXPECT_TRUE(received.empty());

    // The trigger shoots once per pull; a slight release is no new pull. Its axis reads 0 to
    // 32767 from the joystick's whole range.
    for (int pull : {20000, 32767, 12000, 4000, 30000, 12000, 0}) {
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT,
                                   static_cast<Sint16>(2 * pull - 32767));
        Deliver();
    }
    Drain();
    int clicks = 0;
    for (const MSG& message : received) clicks += message.message == WM_LBUTTONDOWN;
    EXPECT_EQ(clicks, 2);

    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    SDL_JoystickDetachVirtual(device);
    Deliver();
    const POINT before = Pointer();
    Update(5000);
    Update(5100);
    Drain();
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(Pointer().x, before.x);
    EXPECT_FALSE(controllers->Aiming());
}

} // namespace
