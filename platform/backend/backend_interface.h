#pragma once
// Inside the platform layer: what a backend provides to the rest of the layer.

#include <memory>

#include "platform/backend/input_events.h"
#include "platform/windef.h"

namespace platform {

class Backend {
public:
    virtual ~Backend() = default;

    // The clock behind timeGetTime.
    virtual DWORD Now() = 0;
    // Once per message pump: what happened since the last one.
    virtual Happened Pump() = 0;
    // After each pump: shows the screen's latest changes, when the backend has a window.
    virtual void Show() {}
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

// What every message pump asks of the backend: its input and picture, and the sound mixed up
// to now. `close` is set from the pump at which the program starts closing (the window closed,
// a signal, a script that ran out) on.
Happened PumpBackend();

// Whether the player or a signal asked the program to close, as of the last pump (a replay
// answers the game from its journal instead).
bool ClosingLive();
// The backend's clock as of the last pump, for what runs at every pump and must not read the
// clock again.
DWORD PumpTime();

// Milliseconds since the machine started, 32 bits, wrapping.
DWORD BootClock();

} // namespace platform
