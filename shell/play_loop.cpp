// The play loop: every pass pumps messages, redraws the cursor on the screen the moment the
// mouse moves and resolves a click at once; at most every 20 ms a whole frame is composed on the
// back surface and copied to the screen.

#include "shell/play_loop.h"

#include <algorithm>

#include "graphics/shared_surfaces.h"
#include "platform/mmtime.h"
#include "shell/input_state.h"
#include "shell/play_assets.h"
#include "shell/window_proc.h"
#include "world/creatures.h"
#include "world/hud.h"
#include "world/play_state.h"
#include "world/scoring.h"
#include "world/world_update.h"

DWORD composedFrames = 0;

namespace {

constexpr LONG cursorHalf = 12;
constexpr LONG cursorMinX = 12;
constexpr LONG cursorMaxX = 627;
constexpr LONG cursorMinY = 12;
constexpr LONG cursorMaxY = 467;
constexpr DWORD frameInterval = 20;
constexpr LONG clickCost = 2;
constexpr LONG losingScore = -20;
constexpr LONG panPerColumn = 32;

struct LoopState {
    DWORD frameClock;
    int voiceIndex = 0;
    LONG drawnX = -1; // -1: no cursor drawn yet
    LONG drawnY = -1;
    RECT cursorRect {};
};

POINT ClampedCursor()
{
    POINT point {};
    GetCursorPos(&point);
    return {std::clamp(point.x, cursorMinX, cursorMaxX),
            std::clamp(point.y, cursorMinY, cursorMaxY)};
}

// Erases the cursor where it was, saves what lies under its new place and draws it there.
void MoveCursor(LoopState& loop, POINT at)
{
    if (loop.drawnX != -1) {
        screenSurface->BltFast(static_cast<DWORD>(loop.drawnX - cursorHalf),
                               static_cast<DWORD>(loop.drawnY - cursorHalf), cursorUnder, nullptr,
                               DDBLTFAST_WAIT);
    }
    loop.cursorRect = {at.x - cursorHalf, at.y - cursorHalf, at.x + cursorHalf, at.y + cursorHalf};
    cursorUnder->BltFast(0, 0, screenSurface, &loop.cursorRect, DDBLTFAST_WAIT);
    screenSurface->BltFast(static_cast<DWORD>(loop.cursorRect.left),
                           static_cast<DWORD>(loop.cursorRect.top), cursorImage, nullptr,
                           DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
    loop.drawnX = at.x;
    loop.drawnY = at.y;
}

void Shoot(LoopState& loop, POINT at)
{
    if (LPDIRECTSOUNDBUFFER voice = shotVoices[loop.voiceIndex]) {
        voice->Stop();
        voice->SetPan((at.x - 320) * panPerColumn);
        voice->Play(0, 0, 0);
    }
    loop.voiceIndex = (loop.voiceIndex + 1) % SHOT_VOICES;
    score -= clickCost;
    HandleShot(static_cast<DWORD>(at.x), static_cast<DWORD>(at.y));
    clickPending = FALSE;
    if (static_cast<LONG>(kills) > populationThreshold) AddCreature();
}

void CountDownMessage(DWORD elapsed)
{
    if (messageTimeLeft <= 0) return;
    messageTimeLeft -= static_cast<LONG>(elapsed);
    if (messageTimeLeft <= 0) {
        messageKind = MESSAGE_NONE;
        messageTimeLeft = 0;
    }
}

void ComposeFrame(LoopState& loop, DWORD now)
{
    const DWORD elapsed = now - loop.frameClock;
    backSurface->BltFast(0, 0, sceneBackground, nullptr, DDBLTFAST_WAIT);
    UpdateWorld(elapsed);
    if (score < 0 && kills == 0) score = 0;
    CountDownMessage(elapsed);
    DrawHud();
    cursorUnder->BltFast(0, 0, backSurface, &loop.cursorRect, DDBLTFAST_WAIT);
    backSurface->BltFast(static_cast<DWORD>(loop.drawnX - cursorHalf),
                         static_cast<DWORD>(loop.drawnY - cursorHalf), cursorImage, nullptr,
                         DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
    RECT field {0, 24, 640, 480};
    screenSurface->BltFast(0, 24, backSurface, &field, DDBLTFAST_WAIT);
    loop.frameClock = now;
    ++composedFrames;
}

void RunFrameLoop()
{
    LoopState loop {timeGetTime()};
    do {
        PumpMessages();
        const POINT at = ClampedCursor();
        if (at.x != loop.drawnX || at.y != loop.drawnY) MoveCursor(loop, at);
        if (clickPending) Shoot(loop, at);
        const DWORD now = timeGetTime();
        if (now - loop.frameClock >= frameInterval) ComposeFrame(loop, now);
        if (score < losingScore) RunGameOver(soundPack);
    } while (lastKey == 0);
}

} // namespace

void RunPlay()
{
    LoadPlayAssets();
    RunFrameLoop();
    ReleasePlayAssets();
}
