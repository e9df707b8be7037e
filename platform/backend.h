#pragma once
// The port's choice of how the game meets the machine: a real window with sound (sdl), or no
// window, no audio device and virtual time (headless) for tests and scripted runs.

#include <string>
#include <vector>

#include "platform/windef.h"

namespace platform {

struct ScreenshotRequest {
    DWORD time; // virtual milliseconds from the program's start
    std::string path;
};

struct BackendOptions {
    bool headless = false;
    int windowScale = 0; // 0: full screen
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
