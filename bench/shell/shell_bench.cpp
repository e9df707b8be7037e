// The cost the player feels: one composed frame of play with the field full.

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/crt.h"
#include "platform/present/screen_shadow.h"
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

// The same frame, then what the presenter does to find what it must send: the changes the
// frame's writes left, refined against the picture last sent.
void BM_ComposeFrameAndFindChanges(benchmark::State& state)
{
    PlayField field;
    DrawnCursor cursor {320, 240, {308, 228, 332, 252}};
    const std::vector<BloodDrop> drops(bloodDrops, bloodDrops + DROP_COUNT);
    const std::vector<Creature> start(creatures, creatures + CREATURE_COUNT);
    platform::present::ScreenShadow shadow;
    platform::DisplayChanges changes;
    std::vector<RECT> rects;
    platform::DisplayView view {};
    platform::GetDisplayView(&view);
    for (auto _ : state) {
        std::memcpy(bloodDrops, drops.data(), DROP_COUNT * sizeof(BloodDrop));
        std::memcpy(creatures, start.data(), CREATURE_COUNT * sizeof(Creature));
        ComposeFrame(cursor, 20);
        platform::TakeDisplayChanges(changes);
        shadow.Refine(view, changes, rects);
    }
}
BENCHMARK(BM_ComposeFrameAndFindChanges)->Unit(benchmark::kMicrosecond);

} // namespace
