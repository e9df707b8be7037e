// The costs the player feels: one composed frame of play with the field full, and putting one
// frame on the screen through SDL (its offscreen driver stands in for a display).

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/shell/play_field.h"
#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "platform/backend/sdl_presenter.h"
#include "shell/play_assets.h"
#include "shell/play_frame.h"
#include "world/blood.h"
#include "world/creatures.h"

namespace {

void BM_ComposeFrame(benchmark::State& state)
{
    PlayField field;
    DrawnCursor cursor {320, 240, {308, 228, 332, 252}};
    const std::vector<BloodDrop> drops(bloodDrops, bloodDrops + DROP_COUNT);
    const std::vector<Creature> start(creatures, creatures + CREATURE_COUNT);
    for (auto _ : state) {
        // Restoring the field (about 12 KB) is counted in; it keeps every drop in the air.
        std::memcpy(bloodDrops, drops.data(), DROP_COUNT * sizeof(BloodDrop));
        std::memcpy(creatures, start.data(), CREATURE_COUNT * sizeof(Creature));
        ComposeFrame(cursor, 20);
    }
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

// Present: the palette expansion and the texture upload, then the drawing of the texture into
// the window (done by the CPU under the offscreen driver, by the graphics card on a desktop).
void PresentFrames(benchmark::State& state, bool uploadOnly)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    // The offscreen driver would pick OpenGL, which this machine runs in software (Mesa), so
    // its texture upload would measure Mesa; SDL's own software renderer measures ours.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 640, 480, 0);
    auto presenter = platform::SdlPresenter::Make(window, 640, 480);
    LPDIRECTDRAW display = nullptr;
    DirectDrawCreate(nullptr, &display, nullptr);
    display->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    LPDIRECTDRAWSURFACE primary = MakePrimary(display);
    platform::DisplayView view {};
    platform::GetDisplayView(&view);
    for (auto _ : state) {
        if (uploadOnly) presenter->Upload(view);
        else presenter->Show(view);
    }
    primary->Release();
    display->Release();
    presenter.reset();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
void BM_UploadFrame(benchmark::State& state) { PresentFrames(state, true); }
BENCHMARK(BM_UploadFrame)->Unit(benchmark::kMicrosecond);

void BM_PresentFrame(benchmark::State& state) { PresentFrames(state, false); }
BENCHMARK(BM_PresentFrame)->Unit(benchmark::kMicrosecond);

} // namespace
