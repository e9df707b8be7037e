// The play field the benchmarks compose frames on.

#include "bench/shell/play_field.h"

#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/crt.h"
#include "shell/game_font_setup.h"
#include "shell/play_assets.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/play_state.h"
#include "world/world_tables.h"

LPDIRECTDRAWSURFACE MakePrimary(LPDIRECTDRAW display)
{
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    LPDIRECTDRAWSURFACE primary = nullptr;
    display->CreateSurface(&desc, &primary, nullptr);
    return primary;
}

PlayField::PlayField()
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

PlayField::~PlayField()
{
    for (BYTE*& sprite : creatureSprites) sprite = nullptr; // ours, not the allocator's
    FreeWorldTables();
    DeleteGameFonts();
    directDraw->Release();
}
