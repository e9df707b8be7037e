// The picture written straight into the window's own memory (on X11 a shared-memory image):
// the palette expansion and the scaling happen in one pass, and only the changed rectangles
// are handed to the window system.

#include <algorithm>

#include "platform/backend/present_target.h"
#include "platform/present/frame_expand.h"

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
            Expand(view, rect, colours);
            sent.push_back(WindowRect(rect));
        }
        SDL_UpdateWindowSurfaceRects(window, sent.data(), static_cast<int>(sent.size()));
    }

    Area PictureInWindow() const override { return picture; }

private:
    void SendWhole(const DisplayView& view, const std::uint32_t* colours)
    {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        Expand(view, {0, 0, static_cast<LONG>(view.width), static_cast<LONG>(view.height)},
               colours);
        SDL_UpdateWindowSurface(window);
    }

    void Expand(const DisplayView& view, RECT rect, const std::uint32_t* colours)
    {
        rect.right = std::min<LONG>(rect.right, static_cast<LONG>(across.start.size()) - 1);
        rect.bottom = std::min<LONG>(rect.bottom, static_cast<LONG>(down.start.size()) - 1);
        if (rect.left >= rect.right || rect.top >= rect.bottom) return;
        present::ExpandArea({view.pixels, static_cast<std::size_t>(view.pitch)}, rect, colours,
                            across, down,
                            {static_cast<std::uint32_t*>(surface->pixels),
                             static_cast<std::size_t>(surface->pitch) / 4});
    }

    SDL_Rect WindowRect(const RECT& rect) const
    {
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
