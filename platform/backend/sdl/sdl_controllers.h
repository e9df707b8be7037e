#pragma once
// Inside the platform layer: game controllers, through SDL's game-controller interface and its
// mapping database, plugged in before or during the game. The left stick and the pad move the
// crosshair; A or the right trigger shoots where it is, as the left button would; Start or B
// is a key press (Enter), which also presses OK in the name dialog.

#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/backend.h"
#include "platform/backend/input_events.h"
#include "platform/backend/sdl/sdl_handles.h"

namespace platform {

class SdlControllers {
public:
    explicit SdlControllers(const ControllerOptions& options);
    ~SdlControllers();
    SdlControllers(const SdlControllers&) = delete;
    SdlControllers& operator=(const SdlControllers&) = delete;

    // Takes the controllers' own events (false for any other): plugging, buttons, triggers,
    // adding what they do to `input`.
    bool Handle(const SDL_Event& event, std::vector<InputEvent>& input);
    // Moves the crosshair as far as the sticks and pads held since the last call take it.
    void Update(Uint32 nowMs, std::vector<InputEvent>& input);
    // True while a stick or the pad is held, when the crosshair moves without any event.
    bool Aiming() const;

private:
    void Open(int deviceIndex);
    void Close(SDL_JoystickID id);
    void Trigger(Sint16 value, std::vector<InputEvent>& input);
    // The strongest push of any open controller's stick, or its pad as a full push.
    void Deflection(int& x, int& y) const;

    ControllerOptions options;
    bool started = false;
    std::vector<sdl::GameController> controllers;
    Uint32 lastUpdate = 0;
    double carriedX = 0.0;
    double carriedY = 0.0;
    bool triggerHeld = false;
};

} // namespace platform
