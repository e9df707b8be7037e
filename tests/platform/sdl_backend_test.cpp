#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backend.h"
#include "platform/ddraw.h"
#include "platform/mmtime.h"
#include "platform/user.h"

namespace {

LRESULT QuietWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// SDL's offscreen driver stands in for a display: the real backend starts, shows a picture
// and shuts down on a machine without one.
TEST(SdlBackend, StartsPresentsAndStopsWithoutADisplay)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    platform::BackendOptions options;
    options.window.fullScreen = false;
    options.window.windowScale = 1;
    std::string error;
    ASSERT_TRUE(platform::StartBackend(options, error)) << error;

    WNDCLASSA windowClass {CS_DBLCLKS, QuietWindowProc, 0,       0,       nullptr,
                           nullptr,    nullptr,         nullptr, nullptr, "sdl_test"};
    RegisterClassA(&windowClass);
    const HWND window =
        CreateWindowExA(0, "sdl_test", "Kill Glimbot", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(window);

    LPDIRECTDRAW directDraw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    directDraw->SetDisplayMode(640, 480, 8);
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE primary = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);

    // The machine's clock runs; pumping presents the changed picture and never blocks long.
    const DWORD start = timeGetTime();
    for (int pass = 0; pass < 50; ++pass) {
        DDBLTFX fill {};
        fill.dwSize = DDBLTFX_SIZE;
        fill.dwFillColor = static_cast<DWORD>(pass);
        primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    EXPECT_LT(timeGetTime() - start, 2000u);
    EXPECT_FALSE(platform::CloseRequested());

    primary->Release();
    directDraw->Release();
    DestroyWindow(window);
    platform::StopBackend();
}

} // namespace
