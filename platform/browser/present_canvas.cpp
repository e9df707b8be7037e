// In the browser the picture goes to the page's canvas, which keeps the screen's own size while
// the page scales it: only the changed rectangles are expanded to RGBA and put on it.

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/backend/sdl/present_target.h"
#include "platform/backend/sdl/sdl_handles.h"
#include "platform/browser/page_names.h"
#include "platform/host.h"
#include "platform/notice.h"
#include "platform/present/frame_expand.h"

namespace platform {
namespace {

constexpr int width = present::SCREEN.width;
constexpr int height = present::SCREEN.height;

class CanvasTarget : public PresentTarget {
public:
    // The canvas takes its bytes red, green, blue, alpha.
    CanvasTarget()
        : format(SDL_AllocFormat(SDL_PIXELFORMAT_ABGR8888)),
          frame(static_cast<std::size_t>(width) * height), across(present::WholeAxis(width, 0, 1)),
          down(present::WholeAxis(height, 0, 1))
    {
    }

    bool Ready() const { return format != nullptr; }

    const SDL_PixelFormat& Format() const override { return *format; }

    // The canvas keeps what it was given: nothing is lost on a resize.
    void Reset() override {}

    void Send(const DisplayView& view, const std::vector<RECT>& rects, bool whole,
              const std::uint32_t* colours) override
    {
        if (whole) {
            Put(view, {0, 0, width, height}, colours);
            return;
        }
        for (const RECT& rect : rects) Put(view, rect, colours);
    }

    present::Area PictureInWindow() const override { return {0, 0, width, height}; }

private:
    void Put(const DisplayView& view, const RECT& rect, const std::uint32_t* colours)
    {
        const RECT shown {rect.left, rect.top, std::min<LONG>(rect.right, width),
                          std::min<LONG>(rect.bottom, height)};
        if (shown.left >= shown.right || shown.top >= shown.bottom) return;
        present::ExpandArea({view.pixels, static_cast<std::size_t>(view.pitch)}, shown, colours,
                            across, down, {frame.data(), static_cast<std::size_t>(width)});
        kg_put_pixels(frame.data(), width, height, shown.left, shown.top, shown.right - shown.left,
                      shown.bottom - shown.top);
    }

    sdl::PixelFormat format;
    std::vector<std::uint32_t> frame;
    present::Axis across;
    present::Axis down;
};

} // namespace

std::unique_ptr<PresentTarget> MakePresentTarget(SDL_Window*, const WindowOptions&)
{
    auto target = std::make_unique<CanvasTarget>();
    if (!target->Ready()) {
        Notice(std::string("Picture through the page's canvas: it failed: ") + SDL_GetError()
               + "\r\n");
        return nullptr;
    }
    Notice("Picture through the page's canvas, scaled by the page\r\n");
    return target;
}

} // namespace platform
