#include "platform/dsound.h"
#include "sound/sound_device.h"
#include "sound/sound_format.h"
#include "tests/common/log_session.h"

namespace {

class SoundStart : public test::LogSessionTest {
protected:
    void SetUp() override
    {
        test::LogSessionTest::SetUp();
        platform::SetSoundOutput(platform::SoundOutput::None);
        MakePcmFormat(&format, 22050, true, true);
    }
    void TearDown() override
    {
        ReleaseSound();
        platform::ClearSoundFaults();
        platform::SetSoundOutput(platform::SoundOutput::Device);
        test::LogSessionTest::TearDown();
    }
    WAVEFORMATEX format {};
};

TEST(SoundFormat, TheTwoSoundLevelsAndTheHeaderFlags)
{
    WAVEFORMATEX format;
    MakePcmFormat(&format, 11025 * 1, true, true);
    EXPECT_EQ(format.nChannels, 2);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(format.nBlockAlign, 4);
    EXPECT_EQ(format.nAvgBytesPerSec, 44100u);
    MakePcmFormat(&format, 11025 * 2, true, true);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(format.nAvgBytesPerSec, 88200u);

    MakeFormatFromHeader(&format, SoundHeader {0xFFFC, 0xFFFF, 10, 8000});
    EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format.nChannels, 1);
    EXPECT_EQ(format.wBitsPerSample, 8);
    EXPECT_EQ(format.nBlockAlign, 1);
    EXPECT_EQ(format.nAvgBytesPerSec, 8000u);
    EXPECT_EQ(format.cbSize, 0);
    MakeFormatFromHeader(&format, SoundHeader {3, 0, 10, 11025});
    EXPECT_EQ(format.nChannels, 2);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(format.nBlockAlign, 4);
}

TEST_F(SoundStart, SetsThePrimaryFormat)
{
    EXPECT_TRUE(InitSound(nullptr, &format));
    EXPECT_NE(soundDevice, nullptr);
    EXPECT_NE(primaryBuffer, nullptr);
    EXPECT_EQ(LogText(), "Primary sound buffer format: yes\r\n");
}

TEST_F(SoundStart, ARefusedOrMissingFormatStillGivesSound)
{
    platform::SetSoundFault(platform::SoundCall::SetFormat, DSERR_BADFORMAT);
    EXPECT_TRUE(InitSound(nullptr, &format));
    ReleaseSound();
    EXPECT_TRUE(InitSound(nullptr, nullptr));
    EXPECT_EQ(LogText(), "Primary sound buffer format: no\r\n"
                         "Primary sound buffer format: no\r\n");
}

TEST_F(SoundStart, EachFailingStepIsReportedAndGivesNoSound)
{
    const struct {
        platform::SoundCall call;
        const char* report;
    } steps[] = {
        {platform::SoundCall::Create, "DirectSound ERROR(:DirectSoundCreate): code 1-0x78 \n"},
        {platform::SoundCall::GetCaps, "DirectSound ERROR(:GetCaps): code 1-0x78 \n"},
        {platform::SoundCall::SetCooperativeLevel,
         "DirectSound ERROR(:IDirectSound_SetCooperativeLevel): code 1-0x78 \n"},
    };
    std::string expected;
    for (const auto& step : steps) {
        platform::SetSoundFault(step.call, DSERR_NODRIVER);
        EXPECT_FALSE(InitSound(nullptr, &format));
        EXPECT_EQ(soundDevice, nullptr); // nothing left behind to release
        platform::ClearSoundFaults();
        expected += step.report;
    }
    platform::SetEmulatedSoundDriver(true);
    EXPECT_FALSE(InitSound(nullptr, &format));
    EXPECT_EQ(soundDevice, nullptr);
    EXPECT_EQ(LogText(), expected + "NO DIRECTSOUND DRIVER INSTALLED\r\n");
}

TEST_F(SoundStart, WithoutAPrimaryBufferASoftwareBufferStandsIn)
{
    platform::SetSoundFault(platform::SoundCall::CreatePrimaryBuffer, DSERR_ALLOCATED);
    EXPECT_TRUE(InitSound(nullptr, &format));
    ASSERT_NE(primaryBuffer, nullptr);
    LPVOID memory = nullptr;
    DWORD size = 0;
    EXPECT_EQ(primaryBuffer->Lock(0, 65536, &memory, &size, nullptr, nullptr, 0), DS_OK);
    primaryBuffer->Unlock(memory, size, nullptr, 0);
    ReleaseSound();

    platform::SetSoundFault(platform::SoundCall::CreateSecondaryBuffer, DSERR_OUTOFMEMORY);
    EXPECT_FALSE(InitSound(nullptr, &format));
    EXPECT_EQ(soundDevice, nullptr);
    EXPECT_EQ(LogText(), "Win32 ERROR(:(Secondary) CreateSoundBuffer): code 1-0xe \n");
}

} // namespace
