#include "platform/backend/sdl_presenter.h"

#include <cstdlib>
#include <string>

#include "platform/notice.h"

namespace platform {
namespace {

constexpr int fallbackRefreshRate = 60;
constexpr unsigned GL_RENDERER_NAME = 0x1F01;

Uint32 RefreshIntervalMs(SDL_Window* window)
{
    SDL_DisplayMode mode {};
    const int rate = SDL_GetWindowDisplayMode(window, &mode) == 0 && mode.refresh_rate > 0
                         ? mode.refresh_rate
                         : fallbackRefreshRate;
    return static_cast<Uint32>(1000 / rate);
}

// OpenGL's own name for what draws, asked of the renderer's current context.
std::string GlRendererName()
{
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(GL_RENDERER_NAME) : nullptr;
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

struct Probe {
    SDL_Renderer* renderer = nullptr;
    std::string name;
    std::string glRenderer;
};

Probe TryAcceleratedRenderer(SDL_Window* window, bool vsync)
{
    Probe probe;
    probe.renderer = SDL_CreateRenderer(
        window, -1, SDL_RENDERER_ACCELERATED | (vsync ? SDL_RENDERER_PRESENTVSYNC : 0));
    if (probe.renderer == nullptr) return probe;
    SDL_RendererInfo info {};
    SDL_GetRendererInfo(probe.renderer, &info);
    probe.name = info.name != nullptr ? info.name : "";
    if (probe.name.starts_with("opengl")) probe.glRenderer = GlRendererName();
    return probe;
}

std::unique_ptr<PresentTarget> MakeTarget(SDL_Window* window, const WindowOptions& options)
{
    const char* forced = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    present::RendererFacts facts;
    facts.softwareForced = forced != nullptr && forced[0] != '\0' && forced[0] != '0';
    Probe probe;
    if (!present::DecidedWithoutRenderer(options.renderer, facts.softwareForced)) {
        probe = TryAcceleratedRenderer(window, options.vsync);
        facts.created = probe.renderer != nullptr;
        facts.name = probe.name;
        facts.glRenderer = probe.glRenderer;
    }
    const present::PathDecision decision = present::ChoosePresentPath(options.renderer, facts);
    std::string error;
    std::unique_ptr<PresentTarget> target;
    if (decision.path == present::PresentPath::Accelerated) {
        target = MakeTextureTarget(window, probe.renderer, options, error);
    } else {
        if (probe.renderer != nullptr) SDL_DestroyRenderer(probe.renderer);
        // Without this SDL would draw the window surface through OpenGL again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        target = MakeSurfaceTarget(window, options, error);
    }
    Notice(present::DescribeDecision(decision) + (target ? "" : "; it failed: " + error) + "\r\n");
    return target;
}

} // namespace

std::unique_ptr<SdlPresenter> SdlPresenter::Make(SDL_Window* window, const WindowOptions& options)
{
    auto target = MakeTarget(window, options);
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
