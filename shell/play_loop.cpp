// The play loop: every pass pumps messages, redraws the cursor on the screen the moment the
// mouse moves and resolves a click at once; at most every 20 ms a whole frame is composed on the
// back surface and copied to the screen.

#include "shell/play_loop.h"

#include <algorithm>

#include "graphics/shared_surfaces.h"
#include "platform/mmtime.h"
#include "platform/replay.h"
#include "shell/input_state.h"
#include "shell/play_assets.h"
#include "shell/play_frame.h"
#include "shell/window_proc.h"
#include "world/creatures.h"
#include "world/play_state.h"
#include "world/scoring.h"

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
    DrawnCursor cursor;
};

POINT ClampedCursor()
{
    POINT point {};
    GetCursorPos(&point);
    return {std::clamp(point.x, cursorMinX, cursorMaxX),
            std::clamp(point.y, cursorMinY, cursorMaxY)};
}

// Erases the cursor where it was, saves what lies under its new place and draws it there.
void MoveCursor(DrawnCursor& cursor, POINT at)
{
    if (cursor.x != -1) {
        screenSurface->BltFast(static_cast<DWORD>(cursor.rect.left),
                               static_cast<DWORD>(cursor.rect.top), cursorUnder, nullptr,
                               DDBLTFAST_WAIT);
    }
    cursor.rect = {at.x - cursorHalf, at.y - cursorHalf, at.x + cursorHalf, at.y + cursorHalf};
    // No save-under could be made when surfaces ran out: the frames still repaint the field.
    if (cursorUnder != nullptr)
        cursorUnder->BltFast(0, 0, screenSurface, &cursor.rect, DDBLTFAST_WAIT);
    screenSurface->BltFast(static_cast<DWORD>(cursor.rect.left),
                           static_cast<DWORD>(cursor.rect.top), cursorImage, nullptr,
                           DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
    cursor.x = at.x;
    cursor.y = at.y;
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

void RunFrameLoop()
{
    LoopState loop {timeGetTime(), 0, {}};
    do {
        PumpMessages();
        const POINT at = ClampedCursor();
        if (at.x != loop.cursor.x || at.y != loop.cursor.y) MoveCursor(loop.cursor, at);
        if (clickPending) Shoot(loop, at);
        const DWORD now = timeGetTime();
        if (now - loop.frameClock >= frameInterval) {
            ComposeFrame(loop.cursor, now - loop.frameClock);
            loop.frameClock = now;
            ++composedFrames;
            platform::NoteFrame(composedFrames);
        }
        if (score < losingScore) RunGameOver(soundPack);
        // Nothing to do before the next frame unless the mouse moves, a button or a key comes.
        if (lastKey == 0) {
            const DWORD sinceFrame = std::min(now - loop.frameClock, frameInterval);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, frameInterval - sinceFrame, QS_ALLINPUT);
        }
    } while (lastKey == 0);
}

} // namespace

void RunPlay()
{
    LoadPlayAssets();
    RunFrameLoop();
    platform::NoteFinalState();
    ReleasePlayAssets();
}
