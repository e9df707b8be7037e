#include "platform/backend/sdl/sdl_controllers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/backend/sdl/controller_aim.h"
#include "platform/user.h"

namespace platform {
namespace {

// The trigger shoots when pulled past the first value and is ready again below the second.
constexpr Sint16 triggerPulled = 16000;
constexpr Sint16 triggerReleased = 8000;
// A pause longer than this (the game loading, a dialog opening) does not fling the crosshair.
constexpr Uint32 longestStepMs = 100;

int PadAxis(SDL_GameController* controller, SDL_GameControllerButton less,
            SDL_GameControllerButton more)
{
    return (SDL_GameControllerGetButton(controller, more)
            - SDL_GameControllerGetButton(controller, less))
           * STICK_FULL;
}

} // namespace

SdlControllers::SdlControllers(const ControllerOptions& chosen) : options(chosen)
{
    started = options.enabled && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlControllers::~SdlControllers()
{
    controllers.clear();
    if (started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlControllers::Handle(const SDL_Event& event, std::vector<InputEvent>& input)
{
    if (!started) return false;
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); return true;
    case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which); return true;
    case SDL_CONTROLLERBUTTONDOWN:
        if (event.cbutton.button == SDL_CONTROLLER_BUTTON_A)
            input.emplace_back(input::LeftPress {false});
        else if (event.cbutton.button == SDL_CONTROLLER_BUTTON_START
                 || event.cbutton.button == SDL_CONTROLLER_BUTTON_B)
            AddKeyPress(input, VK_RETURN);
        return true;
    case SDL_CONTROLLERAXISMOTION:
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) Trigger(event.caxis.value, input);
        return true;
    case SDL_CONTROLLERBUTTONUP: return true;
    default: return false;
    }
}

void SdlControllers::Open(int deviceIndex)
{
    sdl::GameController controller(SDL_GameControllerOpen(deviceIndex));
    if (!controller) return;
    // A controller already open (plugged in before the start) is announced twice.
    const SDL_JoystickID id =
        SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller.get()));
    for (const auto& open : controllers) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(open.get())) == id) return;
    }
    controllers.push_back(std::move(controller));
}

void SdlControllers::Close(SDL_JoystickID id)
{
    std::erase_if(controllers, [id](const auto& controller) {
        return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller.get())) == id;
    });
}

void SdlControllers::Trigger(Sint16 value, std::vector<InputEvent>& input)
{
    if (!triggerHeld && value >= triggerPulled) {
        triggerHeld = true;
        input.emplace_back(input::LeftPress {false});
    } else if (triggerHeld && value < triggerReleased) {
        triggerHeld = false;
    }
}

void SdlControllers::Deflection(int& x, int& y) const
{
    x = 0;
    y = 0;
    for (const auto& controller : controllers) {
        SDL_GameController* pad = controller.get();
        int stickX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
        int stickY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        if (std::hypot(stickX, stickY) <= STICK_DEAD_ZONE) {
            stickX =
                PadAxis(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            stickY = PadAxis(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        }
        if (std::hypot(stickX, stickY) > std::hypot(x, y)) {
            x = stickX;
            y = stickY;
        }
    }
}

bool SdlControllers::Aiming() const
{
    int x = 0;
    int y = 0;
    Deflection(x, y);
    return std::hypot(x, y) > STICK_DEAD_ZONE;
}

void SdlControllers::Update(Uint32 nowMs, std::vector<InputEvent>& input)
{
    const Uint32 elapsed = std::min(nowMs - lastUpdate, longestStepMs);
    lastUpdate = nowMs;
    int x = 0;
    int y = 0;
    Deflection(x, y);
    const Motion motion = CrosshairMotion(x, y, options.speed, elapsed);
    if (motion.x == 0.0 && motion.y == 0.0) {
        carriedX = carriedY = 0.0;
        return;
    }
    // Whole pixels move the pointer; the fractions are carried to the next step.
    carriedX += motion.x;
    carriedY += motion.y;
    const auto stepX = static_cast<LONG>(std::trunc(carriedX));
    const auto stepY = static_cast<LONG>(std::trunc(carriedY));
    carriedX -= stepX;
    carriedY -= stepY;
    if (stepX == 0 && stepY == 0) return;
    input.emplace_back(input::PointerBy {stepX, stepY});
}

} // namespace platform
