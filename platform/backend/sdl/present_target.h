#pragma once
// Inside the platform layer: the two ways a picture reaches the window (the window surface, the
// accelerated renderer), behind one small interface for the presenter.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/ddraw.h"
#include "platform/present/picture_layout.h"

namespace platform {

class PresentTarget {
public:
    virtual ~PresentTarget() = default;
    // The format the colour table is made in.
    virtual const SDL_PixelFormat& Format() const = 0;
    // The window's size changed or its content was lost: the next picture is sent whole.
    virtual void Reset() = 0;
    // Sends the rectangles of the screen (all of it when whole), expanded through colours.
    virtual void Send(const DisplayView& view, const std::vector<RECT>& rects, bool whole,
                      const std::uint32_t* colours) = 0;
    // The picture's place in the window, in window coordinates.
    virtual present::Area PictureInWindow() const = 0;
};

} // namespace platform
