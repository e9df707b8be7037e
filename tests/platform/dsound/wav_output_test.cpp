#include "platform/dsound.h"
#include "support/little_endian.h"
#include "tests/common/test_support.h"
#include "tests/platform/dsound/sound_fixture.h"

namespace {

class WavOutput : public test::TempFolderTest {
protected:
    // Sends the output to the WAV file `name`, at 11025 Hz, 16-bit stereo.
    void Open(const char* name)
    {
        platform::SetSoundOutput(platform::SoundOutput::WavFile, name);
        ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
        device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY);
        DSBUFFERDESC description {DSBUFFERDESC_SIZE, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, {}};
        ASSERT_EQ(device->CreateSoundBuffer(&description, &primary, nullptr), DS_OK);
        ASSERT_EQ(primary->SetFormat(&output), DS_OK);
    }

    const WAVEFORMATEX output = test::PcmFormat(11025, 2, 16);
    LPDIRECTSOUND device = nullptr;
    LPDIRECTSOUNDBUFFER primary = nullptr;
};

TEST_F(WavOutput, TheClockDrivesTheMixIntoTheFile)
{
    ASSERT_NO_FATAL_FAILURE(Open("out.wav"));
    EXPECT_EQ(platform::CurrentSoundOutput(), platform::SoundOutput::WavFile);

    WAVEFORMATEX format = test::PcmFormat(11025, 1, 16);
    DSBUFFERDESC description {DSBUFFERDESC_SIZE, DSBCAPS_STATIC, 2 * 441, 0, &format, {}};
    LPDIRECTSOUNDBUFFER sound = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&description, &sound, nullptr), DS_OK);
    LPVOID memory = nullptr;
    DWORD size = 0;
    sound->Lock(0, 2 * 441, &memory, &size, nullptr, nullptr, 0);
    const auto level = test::ConstantWide(441, -7000);
    std::copy(level.begin(), level.end(), static_cast<BYTE*>(memory));
    sound->Unlock(memory, size, nullptr, 0);

    platform::AdvanceSound(1000000); // the start
    platform::AdvanceSound(1000010);
    sound->Play(0, 0, 0);
    for (DWORD ms = 1000011; ms <= 1000100; ++ms) platform::AdvanceSound(ms);
    EXPECT_EQ(platform::CurrentSoundOutput(), platform::SoundOutput::WavFile);
    device->Release();
    platform::SetSoundOutput(platform::SoundOutput::Device);

    const std::string wav = ReadFile("out.wav");
    ASSERT_EQ(wav.size(), 44u + 1102 * 4); // 100 ms at 11025 Hz
    const auto* bytes = reinterpret_cast<const BYTE*>(wav.data());
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(ReadLe32(bytes + 4), 36u + 1102 * 4);
    EXPECT_EQ(ReadLe32(bytes + 24), 11025u);
    EXPECT_EQ(ReadLe32(bytes + 40), 1102u * 4);
    // Silent for the first 10 ms (110 frames), then 441 frames of the sound on both sides.
    const auto sample = [&](std::size_t frame, int side) {
        return static_cast<std::int16_t>(ReadLe16(bytes + 44 + frame * 4 + side * 2));
    };
    EXPECT_EQ(sample(109, 0), 0);
    EXPECT_EQ(sample(110, 0), -7000);
    EXPECT_EQ(sample(550, 1), -7000);
    EXPECT_EQ(sample(551, 1), 0);
}

TEST_F(WavOutput, TheSameFormatAgainKeepsTheFileGoing)
{
    ASSERT_NO_FATAL_FAILURE(Open("same.wav"));
    for (DWORD ms = 1000000; ms <= 1000100; ++ms) platform::AdvanceSound(ms);
    ASSERT_EQ(primary->SetFormat(&output), DS_OK);
    for (DWORD ms = 1000101; ms <= 1000200; ++ms) platform::AdvanceSound(ms);
    device->Release();
    platform::SetSoundOutput(platform::SoundOutput::Device);

    EXPECT_EQ(ReadFile("same.wav").size(), 44u + 2205 * 4); // 200 ms at 11025 Hz
}

} // namespace
