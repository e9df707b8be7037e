#pragma once
// Inside the platform layer: SDL's handles, each with its owner. A hand-over is a move.

#include <SDL.h>

#include <memory>

namespace platform::sdl {

struct Destroy {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
    void operator()(SDL_PixelFormat* format) const { SDL_FreeFormat(format); }
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
};

using Window = std::unique_ptr<SDL_Window, Destroy>;
using Renderer = std::unique_ptr<SDL_Renderer, Destroy>;
using Texture = std::unique_ptr<SDL_Texture, Destroy>;
using Surface = std::unique_ptr<SDL_Surface, Destroy>;
using PixelFormat = std::unique_ptr<SDL_PixelFormat, Destroy>;
using GameController = std::unique_ptr<SDL_GameController, Destroy>;

} // namespace platform::sdl
