// The picture written straight into the window's own memory (on X11 a shared-memory image):
// the palette expansion and the scaling happen in one pass, and only the changed rectangles
// are handed to the window system.

#include <algorithm>

#include "platform/desktop/window_targets.h"
#include "platform/present/frame_expand.h"
#include "platform/present/sharp_fit.h"

namespace platform {
namespace {

using present::Area;
using present::Axis;

class SurfaceTarget : public PresentTarget {
public:
    SurfaceTarget(SDL_Window* sdlWindow, const WindowOptions& chosen)
        : window(sdlWindow), settings(chosen)
    {
    }

    // False when the window gives no surface of 32-bit pixels.
    bool Prepare()
    {
        surface = SDL_GetWindowSurface(window);
        if (surface == nullptr || surface->format->BytesPerPixel != 4) return false;
        picture = present::PictureArea({surface->w, surface->h}, present::SCREEN, settings.scaling);
        across = present::SpreadAxis(present::SCREEN.width, picture.x, picture.width);
        down = present::SpreadAxis(present::SCREEN.height, picture.y, picture.height);
        // Between whole multiples the fit is sharp: whole pixels, then smooth seams.
        sharp = settings.scaling == present::Scaling::Fit && across.scale == 0;
        if (sharp) {
            sharpAcross = present::SharpAxis(present::SCREEN.width, picture.x, picture.width);
            sharpDown = present::SharpAxis(present::SCREEN.height, picture.y, picture.height);
        }
        return true;
    }

    const SDL_PixelFormat& Format() const override { return *surface->format; }

    void Reset() override { prepared = false; }

    void Send(const DisplayView& view, const std::vector<RECT>& rects, bool whole,
              const std::uint32_t* colours) override
    {
        if (!prepared && !Prepare()) return;
        if (!prepared || whole) {
            prepared = true;
            SendWhole(view, colours);
            return;
        }
        sent.clear();
        for (const RECT& rect : rects) {
            const RECT shown = OnScreen(rect);
            if (shown.left >= shown.right || shown.top >= shown.bottom) continue;
            Expand(view, shown, colours);
            sent.push_back(WindowRect(shown));
        }
        SDL_UpdateWindowSurfaceRects(window, sent.data(), static_cast<int>(sent.size()));
    }

    Area PictureInWindow() const override { return picture; }

private:
    void SendWhole(const DisplayView& view, const std::uint32_t* colours)
    {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        Expand(view,
               OnScreen({0, 0, static_cast<LONG>(view.width), static_cast<LONG>(view.height)}),
               colours);
        SDL_UpdateWindowSurface(window);
    }

    // The part of a rectangle of the display that the picture shows.
    static RECT OnScreen(const RECT& rect)
    {
        return {rect.left, rect.top, std::min<LONG>(rect.right, present::SCREEN.width),
                std::min<LONG>(rect.bottom, present::SCREEN.height)};
    }

    void Expand(const DisplayView& view, const RECT& rect, const std::uint32_t* colours)
    {
        const present::ScreenPixels screen {view.pixels, static_cast<std::size_t>(view.pitch)};
        const present::WindowPixels target {static_cast<std::uint32_t*>(surface->pixels),
                                            static_cast<std::size_t>(surface->pitch) / 4};
        if (sharp) present::ExpandAreaSharp(screen, rect, colours, sharpAcross, sharpDown, target);
        else present::ExpandArea(screen, rect, colours, across, down, target);
    }

    SDL_Rect WindowRect(const RECT& rect) const
    {
        if (sharp) {
            const present::Span columns = present::WindowSpan(sharpAcross, rect.left, rect.right);
            const present::Span rows = present::WindowSpan(sharpDown, rect.top, rect.bottom);
            return {columns.begin, rows.begin, columns.end - columns.begin, rows.end - rows.begin};
        }
        const int left = across.start[static_cast<std::size_t>(rect.left)];
        const int top = down.start[static_cast<std::size_t>(rect.top)];
        return {left, top, across.start[static_cast<std::size_t>(rect.right)] - left,
                down.start[static_cast<std::size_t>(rect.bottom)] - top};
    }

    SDL_Window* window;
    WindowOptions settings;
    SDL_Surface* surface = nullptr;
    bool prepared = false;
    Area picture {};
    Axis across;
    Axis down;
    bool sharp = false;
    present::BlendAxis sharpAcross;
    present::BlendAxis sharpDown;
    std::vector<SDL_Rect> sent;
};

} // namespace

std::unique_ptr<PresentTarget> MakeSurfaceTarget(SDL_Window* window, const WindowOptions& settings,
                                                 std::string& error)
{
    auto target = std::make_unique<SurfaceTarget>(window, settings);
    if (target->Prepare()) return target;
    error = std::string("the window gives no 32-bit surface: ") + SDL_GetError();
    return nullptr;
}

} // namespace platform
