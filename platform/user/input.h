#pragma once
// Inside the platform layer: how what a backend saw becomes the game's messages.

#include <vector>

#include "platform/backend/input_events.h"
#include "platform/user.h"

namespace platform {

// The messages one pump's input makes, in order, for the window that takes input (none while
// there is none); the pointer moves on the way. A key goes down as WM_SYSKEYDOWN for Alt, F10
// and anything pressed with Alt held (the game never sees those as keys), WM_KEYDOWN
// otherwise; a double click's second press is WM_LBUTTONDBLCLK when the window's class asks
// for double clicks.
std::vector<MSG> MessagesFor(const std::vector<InputEvent>& input);

} // namespace platform
