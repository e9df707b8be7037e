#include "shell/win_main.h"

#include "graphics/display_device.h"
#include "graphics/game_window.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/notice.h"
#include "platform/replay.h"
#include "shell/game_font_setup.h"
#include "shell/input_state.h"
#include "shell/killer_list_screen.h"
#include "shell/play_loop.h"
#include "shell/sound_level.h"
#include "shell/title_screen.h"
#include "shell/window_proc.h"
#include "sound/sound_device.h"
#include "sound/sound_format.h"
#include "support/debug_log.h"
#include "support/error_catalogue.h"
#include "support/file_access.h"
#include "world/play_state.h"

DWORD soundLevel = 0;
HWND gameWindow = nullptr;

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

// Any lower-case s in the command line turns the sound off; otherwise the better pack found
// decides the quality, and a device that does not start leaves the game silent.
void ChooseSoundLevel(LPSTR commandLine)
{
    soundLevel = 0;
    if (CommandLineHasChar(commandLine, 's')) return;
    if (FileExists("SOUNDM.PCK")) soundLevel = 2;
    else if (FileExists("SOUNDL.PCK")) soundLevel = 1;
    if (soundLevel == 0) {
        DebugLine("Nessun pack dei suoni: gioco senza suono");
        return;
    }
    WAVEFORMATEX format {};
    MakePcmFormat(&format, soundLevel * 11025, true, true);
    if (!InitSound(gameWindow, &format)) soundLevel = 0;
}

void ChooseAndNoteSoundLevel(LPSTR commandLine)
{
    ChooseSoundLevel(commandLine);
    platform::NoteFact("sound level", std::to_string(soundLevel));
}

void RunScreens()
{
    RunTitleScreen();
    platform::NoteScreenChange();
    FillSurface(screenSurface, 0);
    RunPlay();
    platform::NoteScreenChange();
    ShowKillerList();
}

void ReleaseScreen()
{
    if (soundLevel != 0) ReleaseSound();
    FillSurface(screenSurface, 0);
    ReleaseDisplay(displayDevice);
    DestroyWindow(gameWindow);
}

} // namespace

int CommandLineHasChar(LPCSTR text, char c)
{
    for (; *text != '\0'; ++text) {
        if (*text == c) return 1;
    }
    return 0;
}

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    InitDisplayDevice(displayDevice);
    paintBlack = FALSE;
    hudBlink = FALSE;
    StartDebug();
    platform::SetNoticeHook(LogFileWrite);
    LoadErrorCatalogue();
    DescribeDisplay(instance);
    gameWindow = CreateGameWindow(displayDevice);
    PumpMessages();
    CreateGameFonts();
    if (StartDisplay(displayDevice)) {
        screenSurface = displayDevice.lpDDSPrimary;
        backSurface = displayDevice.lpDDSBack;
        FillSurface(screenSurface, 0);
        ChooseAndNoteSoundLevel(commandLine);
        RunScreens();
        ReleaseScreen();
    }
    DeleteGameFonts();
    platform::SetNoticeHook(nullptr);
    EndDebug();
    return 0;
}
