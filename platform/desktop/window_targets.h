#pragma once
// Inside the desktop: the two ways a picture reaches a window of its own.

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/backend/sdl/present_target.h"
#include "platform/backend/sdl/sdl_handles.h"

namespace platform {

// Null when the window's surface cannot be had or is not 32 bits a pixel.
std::unique_ptr<PresentTarget> MakeSurfaceTarget(SDL_Window* window, const WindowOptions& settings,
                                                 std::string& error);
// Takes the renderer over; null when it offers no streaming texture.
std::unique_ptr<PresentTarget> MakeTextureTarget(SDL_Window* window, sdl::Renderer renderer,
                                                 const WindowOptions& settings, std::string& error);

} // namespace platform
