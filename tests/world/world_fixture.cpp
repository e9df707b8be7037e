#include "tests/world/world_fixture.h"

#include <algorithm>

#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/fault.h"
#include "world/blood.h"
#include "world/ground.h"
#include "world/play_state.h"
#include "world/world_tables.h"

namespace test {

void WorldTest::SetUp()
{
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    ASSERT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    backSurface = CreateSystemSurface(640, 480);
    sceneBackground = CreateSystemSurface(640, 480);
    ASSERT_NE(backSurface, nullptr);
    ASSERT_NE(sceneBackground, nullptr);
    FillSurface(backSurface, BACKDROP);
    FillSurface(sceneBackground, BACKDROP);
    AllocWorldTables();
    ResetPlayState();
    populationThreshold = POPULATION_START;
    messageTimeLeft = 0;
    hudBlink = 0;
    dropCursor = 0;
    FlatGround(300);
    for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) creatures[slot].state = CREATURE_INACTIVE;
}

void WorldTest::TearDown()
{
    platform::ClearFailures();
    std::fill(std::begin(popSounds), std::end(popSounds), nullptr);
    if (sound != nullptr) sound->Release();
    platform::SetSoundOutput(platform::SoundOutput::Device);
    FreeWorldTables();
    directDraw->Release(); // frees the surfaces too
    directDraw = nullptr;
    backSurface = nullptr;
    sceneBackground = nullptr;
}

BYTE WorldTest::Pixel(LPDIRECTDRAWSURFACE surface, DWORD x, DWORD y)
{
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    const BYTE value = static_cast<const BYTE*>(desc.lpSurface)[y * desc.lPitch + x];
    surface->Unlock(nullptr);
    return value;
}

std::vector<BYTE> WorldTest::Pixels(LPDIRECTDRAWSURFACE surface)
{
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    std::vector<BYTE> pixels;
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        const auto* row = static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch;
        pixels.insert(pixels.end(), row, row + desc.dwWidth);
    }
    surface->Unlock(nullptr);
    return pixels;
}

void WorldTest::FlatGround(DWORD row) { std::fill_n(groundLine, GROUND_WIDTH, row); }

Creature& WorldTest::Place(DWORD slot, DWORD x, DWORD y, const BYTE* sprite)
{
    creatures[slot] = {y - 48, y, x, y, CREATURE_RISING, sprite};
    return creatures[slot];
}

void WorldTest::FillDrops(std::vector<DWORD> freeSlots)
{
    for (DWORD k = 0; k < DROP_COUNT; ++k) bloodDrops[k] = {DROP_FLYING, 1, 2, 0, 30 << 8, 0, 0};
    for (DWORD k : freeSlots) bloodDrops[k].state = DROP_FREE;
}

LPDIRECTSOUNDBUFFER WorldTest::MakePop(DWORD slot)
{
    if (sound == nullptr) {
        platform::SetSoundOutput(platform::SoundOutput::None);
        EXPECT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
        EXPECT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
    }
    WAVEFORMATEX format {WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0};
    DSBUFFERDESC description {sizeof(DSBUFFERDESC), DSBCAPS_STATIC, 512, 0, &format};
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    EXPECT_EQ(sound->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    popSounds[slot] = buffer;
    return buffer;
}

bool WorldTest::Playing(LPDIRECTSOUNDBUFFER buffer)
{
    DWORD status = 0;
    buffer->GetStatus(&status);
    return (status & DSBSTATUS_PLAYING) != 0;
}

} // namespace test
