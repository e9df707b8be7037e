#pragma once
// Inside the platform layer: what a backend saw happen at the machine, in the order it
// happened. The window layer (user/) makes the game's messages of it.

#include <variant>
#include <vector>

#include "platform/windef.h"

namespace platform {

namespace input {

// A key going down or up; altHeld: pressed with Alt held, which no screen takes as a key.
struct Key {
    DWORD virtualKey;
    bool down;
    bool altHeld = false;
};
struct Character {
    char character; // the game's character set
};
// The pointer to a place of the 640 x 480 screen.
struct PointerTo {
    LONG x;
    LONG y;
};
// The pointer moved on by whole pixels (a controller's stick), held to the screen.
struct PointerBy {
    LONG dx;
    LONG dy;
};
// The left button pressed where the pointer is.
struct LeftPress {
    bool secondOfDoubleClick;
};

} // namespace input

using InputEvent = std::variant<input::Key, input::Character, input::PointerTo, input::PointerBy,
                                input::LeftPress>;

// What one pump of a backend brings.
struct Happened {
    std::vector<InputEvent> input;
    bool close = false; // the player closed the window, or a script ran out
};

// A key going down and up again.
inline void AddKeyPress(std::vector<InputEvent>& input, DWORD virtualKey)
{
    input.emplace_back(input::Key {virtualKey, true});
    input.emplace_back(input::Key {virtualKey, false});
}

} // namespace platform
