#include "platform/dsound.h"
#include "platform/fault.h"
#include "platform/kernel.h"
#include "sound/pack_archive.h"
#include "sound/sound_buffer.h"
#include "sound/sound_device.h"
#include "sound/sound_format.h"
#include "support/file_access.h"
#include "support/memory.h"
#include "tests/common/log_session.h"
#include "tests/sound/pack_bytes.h"

namespace {

using test::HandEntry;
using test::SoundBytes;

class SoundTest : public test::LogSessionTest {
protected:
    void SetUp() override
    {
        test::LogSessionTest::SetUp();
        platform::SetSoundOutput(platform::SoundOutput::None);
        MakePcmFormat(&format, 22050, true, true);
    }
    void TearDown() override
    {
        if (pack != nullptr) ClosePack(pack);
        ReleaseSound();
        platform::ClearFailures();
        platform::SetEmulatedSoundDriver(false);
        platform::SetSoundOutput(platform::SoundOutput::Device);
        test::LogSessionTest::TearDown();
    }
    // A pack of the given sound entries, in order, its last `cut` bytes cut off.
    void OpenSounds(const std::vector<std::string>& sounds, std::size_t cut = 0)
    {
        ASSERT_TRUE(InitSound(nullptr, &format));
        std::vector<HandEntry> entries;
        auto offset = static_cast<std::uint32_t>(40 + 28 * sounds.size());
        for (const std::string& sound : sounds) {
            entries.push_back({"SND0", offset, ""});
            offset += static_cast<std::uint32_t>(sound.size());
        }
        std::string file = test::PackBytes(static_cast<std::uint32_t>(sounds.size()), entries);
        for (const std::string& sound : sounds) file += sound;
        WriteFile("sounds.pck", file.substr(0, file.size() - cut));
        pack = OpenPack("sounds.pck", 0);
        ASSERT_NE(pack, nullptr);
    }
    LPDIRECTSOUNDBUFFER Load(DWORD index, DWORD flags = DSBCAPS_STATIC)
    {
        return LoadSound(SeekPackEntry(pack, index), flags);
    }
    // The log after the start-up lines, with the locked addresses blanked.
    std::string Log()
    {
        std::string text = LogText();
        text.erase(0, text.find("format: yes\r\n") + 13);
        for (auto at = text.find("from "); at != std::string::npos; at = text.find("from ", at)) {
            at += 5;
            text.replace(at, text.find('\n', at) - at, "*");
        }
        return text;
    }
    WAVEFORMATEX format {};
    PackArchive* pack = nullptr;
};

TEST(SoundFormat, TheTwoSoundLevelsAndTheHeaderFlags)
{
    WAVEFORMATEX format;
    MakeFormatFromHeader(&format, SoundHeader {0xFFFC, 0xFFFF, 10, 8000});
    EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format.nChannels * 100 + format.wBitsPerSample * 10 + format.nBlockAlign, 181);
    EXPECT_EQ(format.nAvgBytesPerSec, 8000u);
    EXPECT_EQ(format.cbSize, 0);
    MakeFormatFromHeader(&format, SoundHeader {3, 0, 10, 11025});
    EXPECT_EQ(format.nChannels * 1000 + format.wBitsPerSample * 10 + format.nBlockAlign, 2164);
    EXPECT_EQ(format.nSamplesPerSec, 11025u);
    EXPECT_EQ(format.nAvgBytesPerSec, 44100u);
}

TEST_F(SoundTest, TheDeviceStartsWithOrWithoutItsFormatOrPrimaryBuffer)
{
    EXPECT_TRUE(InitSound(nullptr, &format));
    EXPECT_NE(primaryBuffer, nullptr);
    ReleaseSound();
    platform::FailOperation("SoundSetFormat", DSERR_BADFORMAT, platform::ALWAYS);
    EXPECT_TRUE(InitSound(nullptr, &format));
    ReleaseSound();
    EXPECT_TRUE(InitSound(nullptr, nullptr));
    ReleaseSound();
    // Without a primary buffer a software buffer stands in, unless it cannot be made either.
    platform::FailOperation("SoundCreatePrimaryBuffer", DSERR_ALLOCATED, platform::ALWAYS);
    EXPECT_TRUE(InitSound(nullptr, &format));
    LPVOID memory = nullptr;
    DWORD size = 0;
    ASSERT_EQ(primaryBuffer->Lock(0, 65536, &memory, &size, nullptr, nullptr, 0), DS_OK);
    primaryBuffer->Unlock(memory, size, nullptr, 0);
    ReleaseSound();
    platform::FailOperation("SoundCreateSecondaryBuffer", DSERR_OUTOFMEMORY, platform::ALWAYS);
    EXPECT_FALSE(InitSound(nullptr, &format));
    EXPECT_EQ(soundDevice, nullptr);
    EXPECT_EQ(LogText(), "Primary sound buffer format: yes\r\n"
                         "Primary sound buffer format: no\r\n"
                         "Primary sound buffer format: no\r\n"
                         "Win32 ERROR(:(Secondary) CreateSoundBuffer): code 1-0xe \n");
}

TEST_F(SoundTest, EachFailingStepIsReportedAndGivesNoSound)
{
    const std::pair<const char*, const char*> steps[] = {
        {"SoundCreate", "DirectSoundCreate"},
        {"SoundGetCaps", "GetCaps"},
        {"SoundSetCooperativeLevel", "IDirectSound_SetCooperativeLevel"},
    };
    std::string expected;
    for (const auto& [call, name] : steps) {
        platform::FailOperation(call, DSERR_NODRIVER, platform::ALWAYS);
        EXPECT_FALSE(InitSound(nullptr, &format));
        EXPECT_EQ(soundDevice, nullptr); // nothing left behind to release
        platform::ClearFailures();
        expected += "DirectSound ERROR(:" + std::string(name) + "): code 1-0x78 \n";
    }
    platform::SetEmulatedSoundDriver(true);
    EXPECT_FALSE(InitSound(nullptr, &format));
    EXPECT_EQ(soundDevice, nullptr);
    EXPECT_EQ(LogText(), expected + "NO DIRECTSOUND DRIVER INSTALLED\r\n");
}

// The damaged entries are read first: the good ones after them show the pack still usable.
TEST_F(SoundTest, ASoundEntryBecomesABufferOfItsSamplesAndADamagedOneNone)
{
    OpenSounds({SoundBytes(0, 4, 11025, "\x10\x80\xF0\x81"),
                SoundBytes(3, 8, 22050, "abcdefgh") + "trailing", SoundBytes(0, 0, 11025, ""),
                SoundBytes(0, MEM_ALLOC_LIMIT, 11025, ""), SoundBytes(0, 4, 0, "abcd"),
                SoundBytes(3, 6, 11025, "abcdef"), SoundBytes(0, 50, 11025, "ab"),
                SoundBytes(0, 4, 11025, "")},
               10);
    for (DWORD index = 2; index < 8; ++index) {
        EXPECT_EQ(Load(index), nullptr) << index;
        EXPECT_FALSE(FileExists("sounds.pck")) << index; // the pack still holds its file
    }
    const LPDIRECTSOUNDBUFFER low = Load(0);
    const LPDIRECTSOUNDBUFFER wide = Load(1, DSBCAPS_STATIC | DSBCAPS_CTRLPAN);
    ASSERT_NE(low, nullptr);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(test::BufferBytes(low, 4), "\x10\x80\xF0\x81");
    EXPECT_EQ(test::BufferBytes(wide, 8), "abcdefgh");
    EXPECT_EQ(low->SetPan(100), DSERR_CONTROLUNAVAIL); // the flags reached the buffer
    EXPECT_EQ(wide->SetPan(100), DS_OK);
    low->Release();
    wide->Release();
    // A buffer that cannot be locked is released.
    platform::FailOperation("SoundLock", DSERR_BUFFERLOST, platform::ALWAYS);
    EXPECT_EQ(Load(0), nullptr);
    EXPECT_EQ(Log(), "Lunghezza del suono non valida: 0\r\n"
                     "Lunghezza del suono non valida: 32000000\r\n"
                     "DirectSound ERROR(:IDirectSound::CreateSoundBuffer): code 1-0x64 \n"
                     "Impossibile Create il Buffer Secondario\r\n"
                     "Win32 ERROR(:IDirectSound::CreateSoundBuffer): code 1-0x57 \n"
                     "Impossibile Create il Buffer Secondario\r\n"
                     // More samples than the file holds: refused before a buffer is made.
                     "Campioni del suono incompleti: 4 di 50 byte\r\n"
                     "Intestazione del suono incompleta\r\n"
                     "SoundBuffer: Locked 4 bytes from *\n"
                     "SoundBuffer: Locked 8 bytes from *\n"
                     "Impossibile Agganciare il Buffer Secondario\r\n");
}

} // namespace
