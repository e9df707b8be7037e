#include "platform/backend/sdl/sdl_presenter.h"

#include "platform/host.h"

namespace platform {
namespace {

constexpr int fallbackRefreshRate = 60;

Uint32 RefreshIntervalMs(SDL_Window* window)
{
    SDL_DisplayMode mode {};
    const int rate = SDL_GetWindowDisplayMode(window, &mode) == 0 && mode.refresh_rate > 0
                         ? mode.refresh_rate
                         : fallbackRefreshRate;
    return static_cast<Uint32>(1000 / rate);
}

} // namespace

std::unique_ptr<SdlPresenter> SdlPresenter::Make(SDL_Window* window, const WindowOptions& options)
{
    auto target = MakePresentTarget(window, options);
    if (!target) return nullptr;
    return std::unique_ptr<SdlPresenter>(
        new SdlPresenter(std::move(target), RefreshIntervalMs(window)));
}

SdlPresenter::SdlPresenter(std::unique_ptr<PresentTarget> presentTarget, Uint32 refresh)
    : target(std::move(presentTarget)), refreshMs(refresh)
{
}

bool SdlPresenter::Present(bool force)
{
    if (force) target->Reset();
    else if (WaitBeforeShowing() != 0) return false;
    TakeDisplayChanges(changes);
    DisplayView view {};
    if (!GetDisplayView(&view)) return true;
    changes.everything |= force;
    if (changes.everything) MakeColours(view);
    shadow.Refine(view, changes, rects);
    // Pixels written again as they were need no showing.
    if (rects.empty()) return true;
    target->Send(view, rects, changes.everything, colours.data());
    lastShown = SDL_GetTicks();
    return true;
}

int SdlPresenter::WaitBeforeShowing() const
{
    if (!DisplayHasChanges()) return -1;
    const Uint32 since = SDL_GetTicks() - lastShown;
    return since >= refreshMs ? 0 : static_cast<int>(refreshMs - since);
}

present::Point SdlPresenter::ToScreen(int x, int y) const
{
    return present::ScreenPoint(target->PictureInWindow(), present::SCREEN, {x, y});
}

void SdlPresenter::MakeColours(const DisplayView& view)
{
    const SDL_PixelFormat& format = target->Format();
    for (int i = 0; i < 256; ++i) {
        // Before a picture brings its palette the display shows grey levels.
        const PALETTEENTRY entry =
            view.palette != nullptr ? view.palette[i] : PALETTEENTRY {BYTE(i), BYTE(i), BYTE(i), 0};
        colours[static_cast<std::size_t>(i)] =
            SDL_MapRGB(&format, entry.peRed, entry.peGreen, entry.peBlue);
    }
}

} // namespace platform
