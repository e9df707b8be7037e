// The picture through the accelerated renderer: one streaming texture of the screen's size
// takes the changed rectangles, and the graphics card scales it into the window. The sharp fit
// scales by whole pixels into a second texture first, then smoothly to the picture's size.

#include <algorithm>

#include "platform/desktop/window_targets.h"
#include "platform/present/frame_expand.h"

namespace platform {
namespace {

using present::Area;

constexpr int screenWidth = present::SCREEN.width;
constexpr int screenHeight = present::SCREEN.height;

using sdl::Texture;

class TextureTarget : public PresentTarget {
public:
    TextureTarget(SDL_Window* sdlWindow, sdl::Renderer sdlRenderer, Texture screenTexture,
                  const WindowOptions& chosen)
        : window(sdlWindow), renderer(std::move(sdlRenderer)), texture(std::move(screenTexture)),
          format(SDL_AllocFormat(SDL_PIXELFORMAT_ARGB8888)), settings(chosen)
    {
        Reset();
    }

    const SDL_PixelFormat& Format() const override { return *format; }

    void Reset() override
    {
        int width = 0;
        int height = 0;
        SDL_GetRendererOutputSize(renderer.get(), &width, &height);
        output = {width, height};
        picture = present::PictureArea(output, present::SCREEN, settings.scaling);
        PrepareSharpFit();
    }

    void Send(const DisplayView& view, const std::vector<RECT>& rects, bool,
              const std::uint32_t* colours) override
    {
        for (const RECT& rect : rects) Upload(view, rect, colours);
        SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer.get());
        const SDL_Rect to {picture.x, picture.y, picture.width, picture.height};
        if (sharpened && SDL_SetRenderTarget(renderer.get(), sharpened.get()) == 0) {
            SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
            SDL_SetRenderTarget(renderer.get(), nullptr);
            SDL_RenderCopy(renderer.get(), sharpened.get(), nullptr, &to);
        } else {
            SDL_RenderCopy(renderer.get(), texture.get(), nullptr, &to);
        }
        SDL_RenderPresent(renderer.get());
    }

    Area PictureInWindow() const override
    {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window, &width, &height);
        if (output.width <= 0 || output.height <= 0) return picture;
        // High-DPI outputs have more pixels than the window has points.
        return {picture.x * width / output.width, picture.y * height / output.height,
                picture.width * width / output.width, picture.height * height / output.height};
    }

private:
    // A picture between whole multiples needs the second texture; whole multiples do not.
    void PrepareSharpFit()
    {
        sharpened.reset();
        if (settings.scaling != present::Scaling::Fit || picture.width % screenWidth == 0) return;
        const int whole = present::WholeMultiple(picture, present::SCREEN);
        sharpened.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_TARGET, screenWidth * whole,
                                          screenHeight * whole));
        if (sharpened) SDL_SetTextureScaleMode(sharpened.get(), SDL_ScaleModeLinear);
    }

    void Upload(const DisplayView& view, const RECT& rect, const std::uint32_t* colours)
    {
        const SDL_Rect area {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture.get(), &area, &pixels, &pitch) != 0) return;
        // The locked memory starts at the rectangle's corner.
        present::ExpandArea(
            {view.pixels, static_cast<std::size_t>(view.pitch)}, rect, colours,
            present::WholeAxis(screenWidth, -rect.left, 1),
            present::WholeAxis(screenHeight, -rect.top, 1),
            {static_cast<std::uint32_t*>(pixels), static_cast<std::size_t>(pitch) / 4});
        SDL_UnlockTexture(texture.get());
    }

    SDL_Window* window;
    // The textures go before the renderer that made them.
    sdl::Renderer renderer;
    Texture texture;
    Texture sharpened;
    sdl::PixelFormat format;
    WindowOptions settings;
    present::Size output {};
    Area picture {};
};

} // namespace

std::unique_ptr<PresentTarget> MakeTextureTarget(SDL_Window* window, sdl::Renderer renderer,
                                                 const WindowOptions& settings, std::string& error)
{
    Texture texture(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                      SDL_TEXTUREACCESS_STREAMING, screenWidth, screenHeight));
    if (!texture) {
        error = std::string("no streaming texture: ") + SDL_GetError();
        return nullptr;
    }
    return std::make_unique<TextureTarget>(window, std::move(renderer), std::move(texture),
                                           settings);
}

} // namespace platform
