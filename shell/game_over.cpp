// The game-over screen: the picture over the last frame, its jingle, and a wait for a key.

#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/replay.h"
#include "shell/input_state.h"
#include "shell/play_loop.h"
#include "shell/window_proc.h"
#include "sound/sound_buffer.h"

namespace {

constexpr DWORD gameOverKey = 255;
constexpr DWORD gameOverX = 208;
constexpr DWORD gameOverY = 220;
constexpr DWORD gameOverSoundEntry = 1;

} // namespace

void RunGameOver(PackArchive* pack)
{
    platform::NoteScreenChange();
    LPDIRECTDRAWSURFACE picture = LoadSurface("gameover.qvx");
    SetSurfaceColorKey(picture, gameOverKey);
    LPDIRECTSOUNDBUFFER jingle = nullptr;
    if (pack != nullptr) {
        jingle = LoadSound(SeekPackEntry(pack, gameOverSoundEntry), DSBCAPS_STATIC);
        if (jingle != nullptr) jingle->Play(0, 0, 0);
    }
    if (picture != nullptr) {
        screenSurface->BltFast(gameOverX, gameOverY, picture, nullptr,
                               DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
        picture->Release();
    }
    PumpUntilKey(false);
    if (jingle != nullptr) jingle->Release();
}
