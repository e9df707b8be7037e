// The world's costs per frame tick and per shot, on plain 640 x 480 system-memory surfaces.

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

#include "graphics/display_device.h"
#include "graphics/game_fonts.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/crt.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/hud.h"
#include "world/play_state.h"
#include "world/scoring.h"
#include "world/world_tables.h"
#include "world/world_update.h"

namespace {

// A round glimbot: a disc of body colours in a transparent square.
std::array<BYTE, SPRITE_PIXELS> RoundSprite(BYTE colour)
{
    std::array<BYTE, SPRITE_PIXELS> sprite {};
    for (DWORD i = 0; i < SPRITE_PIXELS; ++i) {
        const int dx = static_cast<int>(i % 48) - 24, dy = static_cast<int>(i / 48) - 24;
        sprite[i] = dx * dx + dy * dy < 22 * 22 ? static_cast<BYTE>(colour + i % 8) : 255;
    }
    return sprite;
}

class World {
public:
    World()
    {
        DirectDrawCreate(nullptr, &directDraw, nullptr);
        directDraw->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
        backSurface = CreateSystemSurface(640, 480);
        sceneBackground = CreateSystemSurface(640, 480);
        AllocWorldTables();
        for (DWORD t = 0; t < CREATURE_TYPES; ++t) {
            sprites[t] = RoundSprite(static_cast<BYTE>(128 + 16 * t));
            creatureSprites[t] = sprites[t].data();
        }
        crt::srand(2026);
        ResetWorld();
        ResetPlayState();
    }
    ~World()
    {
        for (BYTE*& sprite : creatureSprites) sprite = nullptr; // ours, not the allocator's
        FreeWorldTables();
        directDraw->Release();
    }

private:
    std::array<std::array<BYTE, SPRITE_PIXELS>, CREATURE_TYPES> sprites {};
};

// Ten creatures half way up, and every drop in flight somewhere above the ground.
void FillTheField()
{
    for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) {
        SpawnCreature(creatures[slot]);
        creatures[slot].y = creatures[slot].topRow + 24;
    }
    for (DWORD k = 0; k < DROP_COUNT; ++k) {
        const auto x = static_cast<DWORD>(crt::rand() % 640);
        const auto y = 30 + static_cast<DWORD>(crt::rand()) % (groundLine[x] - 40);
        bloodDrops[k] = {DROP_FLYING,
                         110,
                         120,
                         static_cast<LONG>(x << 8),
                         static_cast<LONG>(y << 8),
                         (crt::rand() & 255) - 127,
                         (crt::rand() & 255) - 127};
    }
}

void BM_UpdateWorldTenCreatures600Drops(benchmark::State& state)
{
    World world;
    FillTheField();
    std::vector<Creature> creatureStart(creatures, creatures + CREATURE_COUNT);
    std::vector<BloodDrop> dropStart(bloodDrops, bloodDrops + DROP_COUNT);
    for (auto _ : state) {
        // Restoring the start (about 12 KB) is counted in; it keeps all 600 drops flying.
        std::memcpy(bloodDrops, dropStart.data(), DROP_COUNT * sizeof(BloodDrop));
        std::memcpy(creatures, creatureStart.data(), CREATURE_COUNT * sizeof(Creature));
        UpdateWorld(20);
    }
}
BENCHMARK(BM_UpdateWorldTenCreatures600Drops);

void BM_HandleShotTwoOverlappingKills(benchmark::State& state)
{
    World world;
    for (auto _ : state) {
        std::memset(bloodDrops, 0, DROP_COUNT * sizeof(BloodDrop));
        creatures[0] = {200, 250, 100, 220, CREATURE_RISING, creatureSprites[0]};
        creatures[1] = {200, 250, 110, 225, CREATURE_RISING, creatureSprites[1]};
        HandleShot(130, 240);
    }
}
BENCHMARK(BM_HandleShotTwoOverlappingKills);

HFONT Verdana(LONG height)
{
    LOGFONTA font {};
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Verdana");
    return CreateFontIndirectA(&font);
}

void BM_DrawHudWithMessage(benchmark::State& state)
{
    World world;
    hudFont = Verdana(18);
    bigFont = Verdana(36);
    kills = 125;
    score = 1480;
    messageKind = MESSAGE_KILLER_BONUS;
    messageColor = RGB(240, 240, 0);
    std::strcpy(messageText, "KILLER BONUS +250");
    for (auto _ : state) {
        messageTimeLeft = 1500; // sliding, drawn on every tick
        DrawHud();
    }
    DeleteObject(hudFont);
    DeleteObject(bigFont);
}
BENCHMARK(BM_DrawHudWithMessage);

} // namespace
