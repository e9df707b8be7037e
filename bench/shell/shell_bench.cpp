// The costs the player feels: one composed frame of play with the field full, and putting one
// frame on the screen through SDL (its offscreen driver stands in for a display).

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/backend/sdl_presenter.h"
#include "platform/crt.h"
#include "shell/game_fonts.h"
#include "shell/play_assets.h"
#include "shell/play_frame.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/play_state.h"
#include "world/world_tables.h"

namespace {

LPDIRECTDRAWSURFACE MakePrimary(LPDIRECTDRAW directDraw)
{
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    LPDIRECTDRAWSURFACE primary = nullptr;
    directDraw->CreateSurface(&desc, &primary, nullptr);
    return primary;
}

// The display, the run's surfaces and tables, ten creatures and all 600 drops flying.
class PlayField {
public:
    PlayField()
    {
        DirectDrawCreate(nullptr, &directDraw, nullptr);
        directDraw->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
        directDraw->SetDisplayMode(640, 480, 8);
        screenSurface = MakePrimary(directDraw);
        DDSCAPS caps {DDSCAPS_BACKBUFFER};
        screenSurface->GetAttachedSurface(&caps, &backSurface);
        sceneBackground = CreateSystemSurface(640, 480);
        cursorImage = CreateSystemSurface(24, 24);
        SetSurfaceColorKey(cursorImage, 255);
        cursorUnder = CreateSystemSurface(24, 24);
        CreateGameFonts();
        AllocWorldTables();
        for (DWORD t = 0; t < CREATURE_TYPES; ++t) {
            sprites[t].fill(static_cast<BYTE>(130 + 8 * t));
            creatureSprites[t] = sprites[t].data();
        }
        crt::srand(2026);
        ResetWorld();
        ResetPlayState();
        for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) SpawnCreature(creatures[slot]);
        for (DWORD k = 0; k < DROP_COUNT; ++k) {
            const auto x = static_cast<LONG>(crt::rand() % 640);
            bloodDrops[k] = {DROP_FLYING, 110, 120, x << 8, 100 << 8, 0, -40};
        }
        kills = 42;
        score = 380;
    }
    ~PlayField()
    {
        for (BYTE*& sprite : creatureSprites) sprite = nullptr; // ours, not the allocator's
        FreeWorldTables();
        DeleteGameFonts();
        directDraw->Release();
    }

private:
    std::array<std::array<BYTE, SPRITE_PIXELS>, CREATURE_TYPES> sprites {};
};

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
