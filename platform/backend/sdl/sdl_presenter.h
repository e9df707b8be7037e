#pragma once
// Inside the platform layer: puts what the display shows into the window whenever it changed,
// at most once per refresh of the screen, sending only what changed.

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/backend/sdl/present_target.h"
#include "platform/ddraw.h"
#include "platform/present/present_path.h"
#include "platform/present/screen_shadow.h"

namespace platform {

class SdlPresenter {
public:
    // Chooses the path (and says which, and why, in the game's log); null when neither
    // works on this window.
    static std::unique_ptr<SdlPresenter> Make(SDL_Window* window, const WindowOptions& options);

    // Shows what changed since the last time, unless the last showing was less than a refresh
    // ago (a later call shows it then). force: the window was exposed or resized, everything is
    // sent now. True when changes were taken: the window is up to date with the screen.
    bool Present(bool force);
    // Milliseconds until changes waiting to be shown may be shown; -1 when none wait.
    int WaitBeforeShowing() const;
    // The screen pixel under a window point.
    present::Point ToScreen(int x, int y) const;

private:
    SdlPresenter(std::unique_ptr<PresentTarget> target, Uint32 refreshMs);
    void MakeColours(const DisplayView& view);

    std::unique_ptr<PresentTarget> target;
    Uint32 refreshMs;
    Uint32 lastShown = 0;
    present::ScreenShadow shadow;
    DisplayChanges changes;
    std::vector<RECT> rects;
    std::array<std::uint32_t, 256> colours {};
};

} // namespace platform
