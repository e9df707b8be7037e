#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/platform/dsound/sound_fixture.h"

namespace {

using test::ConstantWide;
using test::PcmFormat;
using test::Peak;
using SoundDevice = test::SoundDeviceTest;

DWORD Status(LPDIRECTSOUNDBUFFER buffer)
{
    DWORD status = 0xFFFF;
    EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
    return status;
}

// The pan attenuates the other channel by its decibels; the player's volume then scales the
// panned mix as a whole, before the sum is clipped.
TEST_F(SoundDevice, ThePanAndTheMasterVolumeScaleEachChannel)
{
    const auto shot = MakeBuffer(PcmFormat(22050, 1, 16), ConstantWide(400, 20000));
    const auto loud = MakeBuffer(PcmFormat(22050, 1, 16), ConstantWide(400, 30000));
    const struct {
        LONG pan;
        int volume, left, right;
    } cases[] = {{-9856, 100, 20000, 0},    {0, 100, 20000, 20000},  {9824, 100, 0, 20000},
                 {-600, 100, 20000, 10023}, {-600, 50, 10000, 5011}, {-600, 0, 0, 0},
                 {-600, 25, 5000, 2505}};
    for (const auto& c : cases) {
        platform::SetMasterVolume(c.volume);
        shot->Stop();
        ASSERT_EQ(shot->SetPan(c.pan), DS_OK);
        ASSERT_EQ(shot->Play(0, 0, 0), DS_OK);
        const auto mix = Pull(100);
        EXPECT_NEAR(Peak(mix, 0), c.left, 1) << c.pan << " at " << c.volume;
        EXPECT_NEAR(Peak(mix, 1), c.right, 1) << c.pan << " at " << c.volume;
    }
    // 50000 would clip at full volume; at half it comes through whole.
    platform::SetMasterVolume(50);
    shot->SetPan(0);
    shot->Stop();
    shot->Play(0, 0, 0);
    loud->Play(0, 0, 0);
    EXPECT_NEAR(Peak(Pull(100), 0), 25000, 1);
    platform::SetMasterVolume(100);
}

// Sample i of the shot is 100 x i, so the mix tells each voice's position.
TEST_F(SoundDevice, ThreeShotVoicesTakeFourClicksInTurn)
{
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 100; ++i) ramp.push_back(static_cast<std::int16_t>(100 * i));
    LPDIRECTSOUNDBUFFER voices[3] = {MakeBuffer(PcmFormat(22050, 1, 16), test::Wide(ramp))};
    ASSERT_EQ(device->DuplicateSoundBuffer(voices[0], &voices[1]), DS_OK);
    ASSERT_EQ(device->DuplicateSoundBuffer(voices[0], &voices[2]), DS_OK);
    const DWORD gaps[] = {30, 30, 50};
    for (int click = 0; click < 4; ++click) {
        LPDIRECTSOUNDBUFFER voice = voices[click % 3];
        voice->Stop();
        voice->SetPan(0);
        ASSERT_EQ(voice->Play(0, 0, 0), DS_OK);
        if (click < 3) Pull(gaps[click]);
    }
    // Voice 0 ended at frame 100 and starts again from the top; 1 and 2 go on.
    for (auto* voice : voices) EXPECT_EQ(Status(voice), DSBSTATUS_PLAYING);
    EXPECT_EQ(Pull(1)[0], 0 + 8000 + 5000);
}

TEST_F(SoundDevice, StopKeepsThePositionAndPlayResumesThere)
{
    std::vector<std::int16_t> steps(10, 1000);
    steps.resize(20, 3000);
    const auto voice = MakeBuffer(PcmFormat(22050, 1, 16), test::Wide(steps));
    voice->Play(0, 0, 0);
    Pull(12);
    voice->Stop();
    EXPECT_EQ(Status(voice), 0u);
    EXPECT_EQ(Pull(1)[0], 0);
    voice->Play(0, 0, 0);
    const auto rest = Pull(10);
    EXPECT_EQ(rest[0], 3000);
    EXPECT_EQ(rest[16], 0); // 8 frames were left
    EXPECT_EQ(Status(voice), 0u);
}

TEST_F(SoundDevice, ADuplicateIsAnIndependentVoiceOnTheSameSamples)
{
    const auto original = MakeBuffer(PcmFormat(22050, 1, 16), ConstantWide(50, 4000));
    LPDIRECTSOUNDBUFFER copy = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(original, &copy), DS_OK);
    original->SetPan(-10000);
    copy->SetPan(10000);
    copy->Play(0, 0, 0);
    EXPECT_EQ(Status(original), 0u);
    Pull(20);
    original->Play(0, 0, 0);
    const auto mix = Pull(40);
    EXPECT_EQ(mix[0], 4000);  // original, left only
    EXPECT_EQ(mix[1], 4000);  // the copy, 20 frames ahead, right only
    EXPECT_EQ(mix[61], 0);    // the copy ended after 30 more frames
    EXPECT_EQ(mix[60], 4000); // the original did not
    original->Release();
    EXPECT_EQ(copy->Play(0, 0, 0), DS_OK); // the samples outlive the original
    EXPECT_EQ(Pull(1)[1], 4000);
}

// The buffer's own rate sets its step through the mix.
TEST_F(SoundDevice, EightBitMonoAtHalfTheRateFillsTwiceTheFramesAtItsLevel)
{
    const auto sound = MakeBuffer(PcmFormat(11025, 1, 8), std::vector<BYTE>(100, 0xC0));
    sound->Play(0, 0, 0);
    const auto mix = Pull(210);
    for (std::size_t i = 0; i < 400; ++i) ASSERT_EQ(mix[i], 16384) << i;
    for (std::size_t i = 400; i < mix.size(); ++i) ASSERT_EQ(mix[i], 0) << i;
}

TEST_F(SoundDevice, RefusesWhatItCannotDo)
{
    WAVEFORMATEX odd = PcmFormat(22050, 3, 16);
    DSBUFFERDESC description {DSBUFFERDESC_SIZE, DSBCAPS_STATIC, 64, 0, &odd, {}};
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_BADFORMAT);
    WAVEFORMATEX good = PcmFormat(22050, 1, 8);
    description = {DSBUFFERDESC_SIZE, DSBCAPS_STATIC, 0, 0, &good, {}};
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_INVALIDPARAM);
    description = {20, DSBCAPS_STATIC, 64, 0, &good, {}};
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_INVALIDPARAM);

    const auto pop = MakeBuffer(good, std::vector<BYTE>(64, 0x80), DSBCAPS_STATIC);
    EXPECT_EQ(pop->SetPan(100), DSERR_CONTROLUNAVAIL);
    LPVOID memory = nullptr;
    DWORD size = 0;
    EXPECT_EQ(pop->Lock(32, 33, &memory, &size, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(pop->SetFormat(&good), DSERR_INVALIDCALL);
    EXPECT_EQ(primary->SetFormat(&odd), DSERR_BADFORMAT);
    LPDIRECTSOUND second = nullptr;
    EXPECT_EQ(DirectSoundCreate(nullptr, &second, nullptr), DSERR_ALLOCATED);
}

TEST(SoundOutput, OpensAnAudioDeviceWhenOneExists)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::SetSoundOutput(platform::SoundOutput::Device);
    LPDIRECTSOUND device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    EXPECT_EQ(platform::CurrentSoundOutput(), platform::SoundOutput::Device);
    device->Release();
    EXPECT_EQ(platform::CurrentSoundOutput(), platform::SoundOutput::None);
    unsetenv("SDL_AUDIODRIVER");
}

} // namespace
