#pragma once
// Inside the platform layer: puts what the display shows into the window, letterboxed and
// scaled by whole pixels' nearest neighbours, whenever it changed.

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>

#include "platform/ddraw.h"

namespace platform {

class SdlPresenter {
public:
    // Null when the window gives no renderer.
    static std::unique_ptr<SdlPresenter> Make(SDL_Window* window, int width, int height);
    ~SdlPresenter();
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    // Shows the display if it changed since the last time (or force), at most once per refresh
    // of the screen; a change that comes too soon is shown by a later call.
    void Present(bool force);
    // Expands the display's palette indices into the texture and shows it.
    void Show(const DisplayView& view);
    // When a changed picture was last shown (SDL ticks).
    Uint32 LastChangeShown() const { return lastShown; }
    // The first half of Show: the palette expansion into the streaming texture.
    void Upload(const DisplayView& view);

private:
    SdlPresenter(SDL_Renderer* renderer, SDL_Texture* texture, DWORD width, DWORD height,
                 Uint32 refreshMs);

    SDL_Renderer* renderer;
    SDL_Texture* texture;
    DWORD width;
    DWORD height;
    Uint32 refreshMs;
    Uint32 lastShown = 0;
    DWORD shownChange = 0;
    bool shownOnce = false;
    std::array<std::uint32_t, 256> colours {};
};

} // namespace platform
