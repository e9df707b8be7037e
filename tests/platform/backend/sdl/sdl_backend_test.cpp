#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/ddraw.h"
#include "platform/dsound.h"
#include "platform/mmtime.h"
#include "platform/notice.h"
#include "platform/user.h"
#include "tests/common/test_support.h"

namespace {

std::vector<std::string> notices;
void Hear(const char* text) { notices.emplace_back(text); }

// Print Screen puts a picture named by the date and time in the player's screenshots folder,
// and the log hears where; the game sees no key. A press and its release take one picture; a
// release whose press never came (a browser on some systems) takes one too.
void ExpectPrintScreenSavesIntoThePlayersFolder()
{
    namespace fs = std::filesystem;
    const fs::path home = fs::temp_directory_path() / "kg-sdl-screenshots";
    fs::remove_all(home);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    platform::SetNoticeHook(Hear);
    SDL_Event press {};
    press.type = SDL_KEYDOWN;
    press.key.keysym.sym = SDLK_PRINTSCREEN;
    SDL_Event release = press;
    release.type = SDL_KEYUP;
    for (SDL_Event* event : {&press, &release, &release}) SDL_PushEvent(event);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        EXPECT_NE(message.message, static_cast<UINT>(WM_KEYDOWN));
    platform::SetNoticeHook(nullptr);
    unsetenv("XDG_DATA_HOME");

    const fs::path folder = home / "killglimbot/screenshots";
    ASSERT_TRUE(fs::is_directory(folder));
    // Before them, the log heard which way the picture reaches the window, and why.
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_TRUE(notices[0].starts_with("Picture through the ")) << notices[0];
    // Two pictures, two files, also when both were taken in one second.
    const std::vector<fs::path> pictures(fs::directory_iterator(folder), {});
    ASSERT_EQ(pictures.size(), 2u);
    for (const fs::path& picture : pictures) {
        EXPECT_TRUE(picture.filename().string().starts_with("killglimbot-20")) << picture;
        EXPECT_EQ(picture.extension(), ".png");
        const std::string saved = "Screenshot saved: " + picture.string() + "\r\n";
        EXPECT_TRUE(notices[1] == saved || notices[2] == saved) << picture;
    }
    fs::remove_all(home);
}

// Announces, through SDL's own queue, that the audio devices of the likely numbers went away
// (the number SDL gave the game's device is its own business), then pumps once.
void RemoveAudioDevices(bool capture)
{
    for (Uint32 number = 1; number < 16; ++number) {
        SDL_Event event {};
        event.type = SDL_AUDIODEVICEREMOVED;
        event.adevice.which = number;
        event.adevice.iscapture = capture ? 1 : 0;
        SDL_PushEvent(&event);
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// SDL's offscreen and dummy drivers stand in for a display and a sound card: the real backend
// starts, shows a picture, loses its sound and shuts down on a machine without either.
TEST(SdlBackend, StartsPresentsLosesItsSoundAndStopsWithoutADisplay)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::BackendOptions options;
    options.window.fullScreen = false;
    options.window.windowScale = 1;
    std::string error;
    ASSERT_TRUE(platform::StartBackend(options, error)) << error;

    const HWND window = test::MakeFocusedWindow(DefWindowProcA, "sdl_test", CS_DBLCLKS);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);

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
    ExpectPrintScreenSavesIntoThePlayersFolder();

    // An audio device that goes away leaves the game running silently.
    LPDIRECTSOUND sound = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    ASSERT_EQ(platform::CurrentSoundOutput(), platform::SoundOutput::Device);
    RemoveAudioDevices(true); // a microphone going away is none of the game's business
    EXPECT_EQ(platform::CurrentSoundOutput(), platform::SoundOutput::Device);
    RemoveAudioDevices(false);
    EXPECT_EQ(platform::CurrentSoundOutput(), platform::SoundOutput::None);
    EXPECT_FALSE(platform::CloseRequested());

    sound->Release();
    primary->Release();
    directDraw->Release();
    DestroyWindow(window);
    platform::StopBackend();
}

} // namespace
