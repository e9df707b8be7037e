// SDL's keys as the platform's virtual-key codes.

#include <gtest/gtest.h>

#include "platform/backend/sdl/sdl_keys.h"
#include "platform/user.h"

namespace {

TEST(SdlKeys, KeysBecomeThePlatformsVirtualKeyCodes)
{
    using platform::VirtualKeyFromSdl;
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), static_cast<DWORD>('A'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), static_cast<DWORD>('Z'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_7), static_cast<DWORD>('7'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F10), VK_F10);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0), VK_NUMPAD0);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9), VK_NUMPAD0 + 9);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RSHIFT), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LALT), VK_MENU);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_PRINTSCREEN), 0u); // no key to the game
}

} // namespace
