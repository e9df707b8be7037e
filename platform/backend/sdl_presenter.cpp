#include "platform/backend/sdl_presenter.h"

#include <algorithm>

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

std::unique_ptr<SdlPresenter> SdlPresenter::Make(SDL_Window* window, int width, int height)
{
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) return nullptr;
    SDL_RenderSetLogicalSize(renderer, width, height);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STREAMING, width, height);
    if (texture == nullptr) {
        SDL_DestroyRenderer(renderer);
        return nullptr;
    }
    return std::unique_ptr<SdlPresenter>(
        new SdlPresenter(renderer, texture, static_cast<DWORD>(width), static_cast<DWORD>(height),
                         RefreshIntervalMs(window)));
}

SdlPresenter::SdlPresenter(SDL_Renderer* sdlRenderer, SDL_Texture* sdlTexture, DWORD textureWidth,
                           DWORD textureHeight, Uint32 refresh)
    : renderer(sdlRenderer), texture(sdlTexture), width(textureWidth), height(textureHeight),
      refreshMs(refresh)
{
}

SdlPresenter::~SdlPresenter()
{
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
}

void SdlPresenter::Present(bool force)
{
    DisplayView view {};
    if (!GetDisplayView(&view)) return;
    const bool changed = !shownOnce || view.changeCount != shownChange;
    if (!force && (!changed || SDL_GetTicks() - lastShown < refreshMs)) return;
    Show(view);
    lastShown = SDL_GetTicks();
    shownChange = view.changeCount;
    shownOnce = true;
}

void SdlPresenter::Show(const DisplayView& view)
{
    Upload(view);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

void SdlPresenter::Upload(const DisplayView& view)
{
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY entry =
            view.palette != nullptr ? view.palette[i] : PALETTEENTRY {BYTE(i), BYTE(i), BYTE(i), 0};
        colours[i] = 0xFF000000u | (std::uint32_t {entry.peRed} << 16)
                     | (std::uint32_t {entry.peGreen} << 8) | entry.peBlue;
    }
    void* target = nullptr;
    int targetPitch = 0;
    if (SDL_LockTexture(texture, nullptr, &target, &targetPitch) != 0) return;
    const DWORD rows = std::min<DWORD>(view.height, height);
    const DWORD columns = std::min<DWORD>(view.width, width);
    for (DWORD y = 0; y < rows; ++y) {
        const BYTE* source = view.pixels + static_cast<std::size_t>(y) * view.pitch;
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(target)
                                                     + static_cast<std::size_t>(y) * targetPitch);
        for (DWORD x = 0; x < columns; ++x) row[x] = colours[source[x]];
    }
    SDL_UnlockTexture(texture);
}

} // namespace platform
