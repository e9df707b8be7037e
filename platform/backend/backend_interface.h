#pragma once
// Inside the platform layer: what a backend provides to the rest of the layer.

#include <memory>

#include "platform/windef.h"

namespace platform {

class Backend {
public:
    virtual ~Backend() = default;

    // The clock behind timeGetTime.
    virtual DWORD Now() = 0;
    // Once per message pump: turns what happened since into messages, presents the screen.
    virtual void Pump() = 0;
    // Gives the processor away until input comes, timeoutMs pass, or the screen's latest
    // changes are shown. Headless, time moves only with the pumps, so it returns at once.
    // Answers whether input is waiting.
    virtual bool WaitForInput(DWORD /*timeoutMs*/) { return false; }

    // icon: the class's icon resource, 0 for none.
    virtual void WindowCreated(const char* /*title*/, WORD /*icon*/) {}
    virtual void WindowShown() {}
    virtual void WindowDestroyed() {}
    virtual void PointerVisible(bool /*visible*/) {}
    // A dialog takes typed text from now on, or no longer (a phone's keyboard may come up).
    virtual void TextEntry(bool /*open*/) {}
};

// The running backend; before one starts, a detached one with the machine's clock and no input.
Backend& CurrentBackend();

// What every message pump asks of the backend: its input and picture, the sound mixed up to
// now, and a key press while the program is closing.
void PumpBackend();

// Whether the player or a signal asked the program to close, as of the last pump (a replay
// answers the game from its journal instead).
bool ClosingLive();
// The backend's clock as of the last pump, for what runs at every pump and must not read the
// clock again.
DWORD PumpTime();

// Milliseconds since the machine started, 32 bits, wrapping.
DWORD BootClock();

} // namespace platform
