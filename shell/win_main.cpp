#include "shell/win_main.h"

#include "graphics/display_device.h"
#include "graphics/game_window.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "shell/game_fonts.h"
#include "shell/input_state.h"
#include "shell/sound_level.h"
#include "shell/title_screen.h"
#include "shell/window_proc.h"
#include "support/debug_log.h"
#include "support/error_catalogue.h"
#include "world/play_state.h"

DWORD soundLevel = 0;

namespace {

DisplayDevice displayDevice;

// The program's icon among its resources.
constexpr WORD gameIcon = 103;

void DescribeDisplay(HINSTANCE instance)
{
    displayDevice.width = 640;
    displayDevice.height = 480;
    displayDevice.bitsPerPixel = 8;
    displayDevice.backBufferCount = 1;
    displayDevice.windowParams.classStyle = CS_DBLCLKS;
    displayDevice.windowParams.exStyle = 0;
    displayDevice.windowParams.instance = instance;
    displayDevice.windowParams.icon = MAKEINTRESOURCEA(gameIcon);
    displayDevice.windowParams.title = "Kill Glimbot";
    displayDevice.windowParams.windowProc = GameWindowProc;
}

void RunScreens()
{
    RunTitleScreen();
    FillSurface(screenSurface, 0);
}

void ReleaseScreen(HWND window)
{
    FillSurface(screenSurface, 0);
    ReleaseDisplay(displayDevice);
    DestroyWindow(window);
}

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitDisplayDevice(displayDevice);
    paintBlack = FALSE;
    hudBlink = FALSE;
    StartDebug();
    LoadErrorCatalogue();
    DescribeDisplay(instance);
    const HWND window = CreateGameWindow(displayDevice);
    PumpMessages();
    CreateGameFonts();
    if (StartDisplay(displayDevice)) {
        screenSurface = displayDevice.lpDDSPrimary;
        backSurface = displayDevice.lpDDSBack;
        FillSurface(screenSurface, 0);
        RunScreens();
        ReleaseScreen(window);
    }
    DeleteGameFonts();
    EndDebug();
    return 0;
}
