#include "platform/backend/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/backend/screen_capture.h"
#include "platform/backend/sdl/sdl_controllers.h"
#include "platform/backend/sdl/sdl_handles.h"
#include "platform/backend/sdl/sdl_keys.h"
#include "platform/backend/sdl/sdl_presenter.h"
#include "platform/dsound/output.h"
#include "platform/folders.h"
#include "platform/host.h"
#include "platform/notice.h"
#include "platform/png.h"
#include "platform/resources.h"

namespace platform {
namespace {

constexpr int screenWidth = present::SCREEN.width;
constexpr int screenHeight = present::SCREEN.height;
// The longest sleep: a stop signal does not wake the wait, so it is noticed this late at most.
constexpr DWORD longestWaitMs = 250;
constexpr DWORD aimingStepMs = 10;

bool IsSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0';
}

bool HasDisplay()
{
    // A driver chosen by hand (offscreen, dummy) needs no display server.
    return PageOwnsWindow() || IsSet("SDL_VIDEODRIVER") || IsSet("DISPLAY")
           || IsSet("WAYLAND_DISPLAY");
}

Uint32 WindowFlags(const WindowOptions& options)
{
    if (PageOwnsWindow()) return SDL_WINDOW_HIDDEN;
    return SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE
           | (options.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

int WindowScale(const WindowOptions& options) { return PageOwnsWindow() ? 1 : options.windowScale; }

// Latin-1 characters of a UTF-8 text, the ones the game's texts can hold.
void AddLatin1Characters(const char* utf8, std::vector<InputEvent>& input)
{
    for (const auto* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p) {
        if (*p < 0x80) input.emplace_back(input::Character {static_cast<char>(*p)});
        else if ((*p == 0xC2 || *p == 0xC3) && (p[1] & 0xC0) == 0x80) {
            input.emplace_back(
                input::Character {static_cast<char>(((*p & 0x03) << 6) | (p[1] & 0x3F))});
            ++p;
        }
    }
}

// The picture's path from its name without ".png": a picture taken in the same second as one
// before gets "-2", "-3" and so on rather than replacing it.
std::string FreeScreenshotPath(const std::string& stem)
{
    constexpr int mostInASecond = 100;
    std::string path = stem + ".png";
    std::error_code unknown;
    for (int n = 2; n <= mostInASecond && std::filesystem::exists(path, unknown); ++n)
        path = stem + "-" + std::to_string(n) + ".png";
    return path;
}

// Into the player's screenshots folder, named by the date and time
// ("killglimbot-2026-12-06-081500.png"); the log says where.
void TakeScreenshot()
{
    const std::time_t now = std::time(nullptr);
    char name[64];
    std::strftime(name, sizeof name, "screenshots/killglimbot-%Y-%m-%d-%H%M%S",
                  std::localtime(&now));
    const std::string path = FreeScreenshotPath(UserFilePath(UserFolder::Data, name));
    if (!SaveScreenshot(path.c_str())) {
        Notice("Screenshot not saved: " + path + "\r\n");
        return;
    }
    Notice("Screenshot saved: " + path + "\r\n");
    ScreenshotSaved(path);
}

// The largest picture of the icon resource, for the window manager to scale.
void SetWindowIcon(SDL_Window* window, WORD icon)
{
    const auto* files = FindIconResource(icon);
    if (files == nullptr) return;
    std::optional<RgbaPicture> largest;
    for (const std::vector<BYTE>& file : *files) {
        auto picture = DecodePngRgba(file);
        if (picture && (!largest || picture->width > largest->width)) largest = std::move(picture);
    }
    if (!largest) return;
    const sdl::Surface surface(SDL_CreateRGBSurfaceWithFormatFrom(
        largest->pixels.data(), static_cast<int>(largest->width), static_cast<int>(largest->height),
        32, static_cast<int>(largest->width * 4), SDL_PIXELFORMAT_RGBA32));
    if (surface) SDL_SetWindowIcon(window, surface.get());
}

class SdlBackend : public Backend {
public:
    SdlBackend(const WindowOptions& chosen, const ControllerOptions& controllerOptions)
        : options(chosen), controllers(controllerOptions)
    {
    }
    ~SdlBackend() override
    {
        DropWindow();
        if (!DisplayLost()) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    DWORD Now() override { return BootClock(); }

    Happened Pump() override
    {
        Happened happened;
        // With the display gone every call would fail: the game only needs time to close.
        if (DisplayLost()) {
            happened.close = true;
            return happened;
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) Handle(event, happened);
        controllers.Update(SDL_GetTicks(), happened.input);
        return happened;
    }

    void Show() override
    {
        if (!DisplayLost() && presenter) presenter->Present(false);
    }

    bool WaitForInput(DWORD timeoutMs) override
    {
        if (DisplayLost()) {
            SDL_Delay(std::min(timeoutMs, longestWaitMs));
            return false;
        }
        // Once the screen's latest changes are shown the wait ends: the caller may draw anew.
        if (presenter && presenter->Present(false)) return false;
        DWORD wait = std::min(timeoutMs, longestWaitMs);
        const int showing = presenter ? presenter->WaitBeforeShowing() : -1;
        if (showing >= 0) wait = std::min(wait, static_cast<DWORD>(showing));
        // A held stick moves the crosshair with no event to wake the wait.
        if (controllers.Aiming()) wait = std::min(wait, aimingStepMs);
        const bool input = WaitForEvent(wait);
        if (presenter && showing >= 0) presenter->Present(false);
        return input;
    }

    void WindowCreated(const char* title, WORD icon) override
    {
        const int scale = WindowScale(options);
        window.reset(SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                      screenWidth * scale, screenHeight * scale,
                                      WindowFlags(options)));
        if (!window) return;
        WatchDisplayConnection(window.get());
        presenter = SdlPresenter::Make(window.get(), options);
        SetWindowIcon(window.get(), icon);
        SDL_StartTextInput();
    }

    void WindowShown() override
    {
        if (!window) return;
        SDL_ShowWindow(window.get());
        SDL_SetWindowGrab(window.get(), options.mouseGrab ? SDL_TRUE : SDL_FALSE);
    }

    void WindowDestroyed() override { DropWindow(); }

    void TextEntry(bool open) override { ShowTextEntry(open); }

    void PointerVisible(bool visible) override
    {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }

private:
    // Once the display is lost, taking the window down would wait for a server that is gone.
    void DropWindow()
    {
        if (DisplayLost()) {
            static_cast<void>(presenter.release());
            static_cast<void>(window.release());
        }
        presenter.reset();
        window.reset();
    }

    void Handle(const SDL_Event& event, Happened& happened)
    {
        std::vector<InputEvent>& input = happened.input;
        if (controllers.Handle(event, input)) return;
        switch (event.type) {
        case SDL_QUIT: happened.close = true; break;
        case SDL_AUDIODEVICEREMOVED:
            if (event.adevice.iscapture == 0) dsound::AudioDeviceRemoved(event.adevice.which);
            break;
        case SDL_WINDOWEVENT:
            if (presenter
                && (event.window.event == SDL_WINDOWEVENT_EXPOSED
                    || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
                presenter->Present(true);
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: HandleKey(event.key, input); break;
        case SDL_TEXTINPUT: AddLatin1Characters(event.text.text, input); break;
        case SDL_MOUSEMOTION: input.emplace_back(PointerAt(event.motion.x, event.motion.y)); break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) {
                input.emplace_back(PointerAt(event.button.x, event.button.y));
                input.emplace_back(input::LeftPress {event.button.clicks % 2 == 0});
            }
            break;
        default: break;
        }
    }

    void HandleKey(const SDL_KeyboardEvent& key, std::vector<InputEvent>& input)
    {
        const bool down = key.type == SDL_KEYDOWN;
        const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
        if (down && alt && key.keysym.sym == SDLK_RETURN && key.repeat == 0 && !PageOwnsWindow())
            ToggleFullScreen();
        // As on the original platform, Print Screen takes a picture and is no key to the game.
        // Some systems hand a browser only the key's release: the picture is taken then, when
        // no press took it.
        if (key.keysym.sym == SDLK_PRINTSCREEN) {
            if (down ? key.repeat == 0 : !printScreenHeld) TakeScreenshot();
            printScreenHeld = down;
            return;
        }
        const DWORD virtualKey = VirtualKeyFromSdl(key.keysym.sym);
        if (virtualKey != 0) input.emplace_back(input::Key {virtualKey, down, alt});
    }

    void ToggleFullScreen()
    {
        const bool full = (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
        SDL_SetWindowFullscreen(window.get(), full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
        if (full)
            SDL_SetWindowSize(window.get(), screenWidth * options.windowScale,
                              screenHeight * options.windowScale);
    }

    // The borders round the picture report positions outside it, held to its edge.
    input::PointerTo PointerAt(int x, int y) const
    {
        const present::Point at =
            presenter ? presenter->ToScreen(x, y) : present::HeldToScreen(present::SCREEN, x, y);
        return {at.x, at.y};
    }

    WindowOptions options;
    SdlControllers controllers;
    sdl::Window window;
    std::unique_ptr<SdlPresenter> presenter;
    bool printScreenHeld = false;
};

} // namespace

std::unique_ptr<Backend> MakeSdlBackend(const BackendOptions& options, std::string& error)
{
    if (!HasDisplay()) {
        error = "no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset); "
                "run with --headless to play without one";
        return nullptr;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_TIME, "500");
    PrepareVideo();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot open a window: ") + SDL_GetError()
                + "; run with --headless to play without one";
        return nullptr;
    }
    return std::make_unique<SdlBackend>(options.window, options.controller);
}

} // namespace platform
