#pragma once
// A run's world on plain 640 x 480 system-memory surfaces filled with BACKDROP and a flat ground
// at row 300; the original runtime's generator is written out from its formula, so expected
// values never come from the code under test.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/crt.h"
#include "platform/fault.h"
#include "tests/common/test_support.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/play_state.h"
#include "world/scoring.h"
#include "world/world_tables.h"
#include "world/world_update.h"

namespace test {

struct ReferenceRand {
    std::uint32_t state;
    int Next() { return static_cast<int>(((state = state * 214013u + 2531011u) >> 16) & 0x7FFF); }
    int Speed() { return (Next() & 255) - 127; }
    void Skip(std::uint64_t n)
    {
        while (n-- > 0) Next();
    }
};
// What the game's generator must give next if the code made exactly `calls` calls since `seed`.
inline int ResultAfter(std::uint32_t seed, std::uint64_t calls)
{
    ReferenceRand reference {seed};
    reference.Skip(calls);
    return reference.Next();
}

inline constexpr BYTE BACKDROP = 7;
using Picture = std::vector<BYTE>; // 640 x 480, rows without the pitch
inline const Picture blank(640 * 480, BACKDROP);

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
        directDraw->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
        for (LPDIRECTDRAWSURFACE* s : {&backSurface, &sceneBackground}) {
            *s = CreateSystemSurface(640, 480);
            FillSurface(*s, BACKDROP);
        }
        AllocWorldTables();
        ResetPlayState();
        dropCursor = 0;
        std::fill_n(groundLine, GROUND_WIDTH, 300u);
        for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) creatures[slot].state = -1;
    }
    void TearDown() override
    {
        platform::ClearFailures();
        std::fill(std::begin(popSounds), std::end(popSounds), nullptr);
        if (sound != nullptr) sound->Release();
        FreeWorldTables();
        directDraw->Release(); // and every surface with it
    }

    static Picture Pixels(LPDIRECTDRAWSURFACE surface) { return SurfacePixels(surface); }
    static BYTE Pixel(LPDIRECTDRAWSURFACE s, DWORD x, DWORD y) { return Pixels(s)[y * 640 + x]; }
    // As a spawn leaves a standard creature whose base row is y.
    static Creature& Place(DWORD slot, DWORD x, DWORD y, const BYTE* sprite)
    {
        return creatures[slot] = {y - 48, y, x, y, CREATURE_RISING, sprite};
    }
    static BloodDrop& Fly(DWORD k, LONG x, LONG y, LONG dx, LONG dy)
    {
        return bloodDrops[k] = {DROP_FLYING, 11, 12, x, y, dx, dy};
    }
    // A short sound in popSounds[slot], on a device that mixes into nothing.
    LPDIRECTSOUNDBUFFER MakePop(DWORD slot)
    {
        platform::SetSoundOutput(platform::SoundOutput::None);
        if (sound == nullptr && DirectSoundCreate(nullptr, &sound, nullptr) == DS_OK)
            sound->SetCooperativeLevel(nullptr, DSSCL_PRIORITY);
        WAVEFORMATEX format {WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0};
        DSBUFFERDESC description {DSBUFFERDESC_SIZE, DSBCAPS_STATIC, 512, 0, &format, {}};
        sound->CreateSoundBuffer(&description, &popSounds[slot], nullptr);
        return popSounds[slot];
    }
    static bool Playing(LPDIRECTSOUNDBUFFER buffer)
    {
        DWORD status = 0;
        return buffer->GetStatus(&status) == DS_OK && status == DSBSTATUS_PLAYING;
    }

    const std::vector<BYTE> solid = std::vector<BYTE>(SPRITE_PIXELS, 150); // an opaque sprite

private:
    LPDIRECTSOUND sound = nullptr;
    DebuggerCapture debugger; // the log lines of the failures the tests provoke
};

} // namespace test
