#pragma once
// The port's choice of how the game meets the machine: a real window with sound (sdl), or no
// window, no audio device and virtual time (headless) for tests and scripted runs.

#include <string>
#include <vector>

#include "platform/present/picture_layout.h"
#include "platform/present/present_path.h"
#include "platform/windef.h"

namespace platform {

struct ScreenshotRequest {
    DWORD time; // virtual milliseconds from the program's start
    std::string path;
};

// How the real window looks and behaves.
struct WindowOptions {
    bool fullScreen = true;
    int windowScale = 2; // the window's size in whole multiples of the screen, when windowed
    present::Scaling scaling = present::Scaling::Fit;
    bool vsync = true;
    present::RendererChoice renderer = present::RendererChoice::Auto;
    bool mouseGrab = true; // the pointer stays inside the window while it has the focus
    bool operator==(const WindowOptions&) const = default;
};

// Aiming with a game controller's stick or pad and shooting with its buttons.
struct ControllerOptions {
    bool enabled = true;
    int speed = 600; // screen pixels a second with the stick pushed all the way
    bool operator==(const ControllerOptions&) const = default;
};

struct BackendOptions {
    bool headless = false;
    WindowOptions window;
    ControllerOptions controller;
    std::string scriptPath;
    std::vector<ScreenshotRequest> screenshots;
    std::string wavPath;
    // A replay, not the backend, decides when the run ends.
    bool replaying = false;
};

// False with a one-line reason when the backend cannot start (no display, a bad script...).
bool StartBackend(const BackendOptions& options, std::string& error);
void StopBackend();

// True once the player closed the window or the program was asked to stop (SIGINT, SIGTERM,
// the end of a headless script). From then on every message pump brings a key press, so every
// screen ends as on a key, and nothing the player made is lost.
bool CloseRequested();
void RequestClose();

} // namespace platform
