#include <cstring>

#include "platform/crt.h"
#include "platform/kernel.h"
#include "sound/pack_archive.h"
#include "sound/sound_buffer.h"
#include "sound/sound_device.h"
#include "support/file_access.h"
#include "support/memory.h"
#include "tests/common/log_session.h"
#include "tests/sound/pack_bytes.h"

namespace {

using test::HandEntry;
using test::PackBytes;
using test::SoundBytes;

class LoadSoundTest : public test::LogSessionTest {
protected:
    void SetUp() override
    {
        test::LogSessionTest::SetUp();
        platform::SetSoundOutput(platform::SoundOutput::None);
        WAVEFORMATEX format;
        MakePcmFormat(&format, 22050, true, true);
        ASSERT_TRUE(InitSound(nullptr, &format));
    }
    void TearDown() override
    {
        if (pack != nullptr) ClosePack(pack);
        ReleaseSound();
        platform::ClearSoundFaults();
        platform::SetSoundOutput(platform::SoundOutput::Device);
        test::LogSessionTest::TearDown();
    }
    // A pack of the given entries' data, each a sound entry, in order.
    void OpenSounds(const std::vector<std::string>& sounds, std::size_t cut = 0)
    {
        std::vector<HandEntry> entries;
        auto offset = static_cast<std::uint32_t>(40 + 28 * sounds.size());
        for (const std::string& sound : sounds) {
            entries.push_back({"SND0", offset, ""});
            offset += static_cast<std::uint32_t>(sound.size());
        }
        std::string file = PackBytes(static_cast<std::uint32_t>(sounds.size()), entries);
        for (const std::string& sound : sounds) file += sound;
        file.resize(file.size() - cut);
        WriteFile("sounds.pck", file);
        pack = OpenPack("sounds.pck", 0);
        ASSERT_NE(pack, nullptr);
    }
    LPDIRECTSOUNDBUFFER Load(DWORD index, DWORD flags = DSBCAPS_STATIC)
    {
        return LoadSound(SeekPackEntry(pack, index), flags);
    }
    // The log after the start-up line, with the locked addresses blanked.
    std::string Log()
    {
        std::string text = LogText();
        text.erase(0, text.find("\r\n") + 2);
        for (auto at = text.find("from "); at != std::string::npos; at = text.find("from ", at)) {
            at += 5;
            text.replace(at, text.find('\n', at) - at, "*");
        }
        return text;
    }

    PackArchive* pack = nullptr;
};

std::string Samples(LPDIRECTSOUNDBUFFER buffer, DWORD bytes)
{
    LPVOID memory = nullptr;
    DWORD size = 0;
    if (buffer->Lock(0, bytes, &memory, &size, nullptr, nullptr, 0) != DS_OK) return "";
    std::string copy(static_cast<const char*>(memory), size);
    buffer->Unlock(memory, size, nullptr, 0);
    return copy;
}

TEST_F(LoadSoundTest, ASoundEntryBecomesABufferOfItsSamples)
{
    OpenSounds({SoundBytes(0, 4, 11025, "\x10\x80\xF0\x81"),
                SoundBytes(3, 8, 22050, "abcdefgh") + "trailing"});
    const LPDIRECTSOUNDBUFFER low = Load(0);
    const LPDIRECTSOUNDBUFFER wide = Load(1, DSBCAPS_STATIC | DSBCAPS_CTRLPAN);
    ASSERT_NE(low, nullptr);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(Samples(low, 4), "\x10\x80\xF0\x81");
    EXPECT_EQ(Samples(wide, 8), "abcdefgh");
    EXPECT_EQ(low->SetPan(100), DSERR_CONTROLUNAVAIL); // the flags reached the buffer
    EXPECT_EQ(wide->SetPan(100), DS_OK);
    EXPECT_EQ(wide->Play(0, 0, 0), DS_OK);
    low->Release();
    wide->Release();
    EXPECT_EQ(Log(), "SoundBuffer: Locked 4 bytes from *\n"
                     "SoundBuffer: Locked 8 bytes from *\n");
}

TEST_F(LoadSoundTest, ADamagedEntryGivesNoBufferAndLeavesThePackUsable)
{
    OpenSounds({SoundBytes(0, 0, 11025, ""), SoundBytes(0, MEM_ALLOC_LIMIT, 11025, ""),
                SoundBytes(0, 4, 0, "abcd"), SoundBytes(3, 6, 11025, "abcdef"),
                SoundBytes(0, 4, 11025, "wxyz"), SoundBytes(0, 50, 11025, "ab"),
                SoundBytes(0, 4, 11025, "")},
               10);
    for (DWORD index = 0; index < 7; ++index) {
        if (index == 4) continue;
        EXPECT_EQ(Load(index), nullptr) << index;
        EXPECT_FALSE(FileExists("sounds.pck")) << index; // the pack still holds its file
    }
    const LPDIRECTSOUNDBUFFER good = Load(4);
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(Samples(good, 4), "wxyz");
    good->Release();
    EXPECT_EQ(Log(), "Lunghezza del suono non valida: 0\r\n"
                     "Lunghezza del suono non valida: 32000000\r\n"
                     "DirectSound ERROR(:IDirectSound::CreateSoundBuffer): code 1-0x64 \n"
                     "Impossibile Create il Buffer Secondario\r\n"
                     "Win32 ERROR(:IDirectSound::CreateSoundBuffer): code 1-0x57 \n"
                     "Impossibile Create il Buffer Secondario\r\n"
                     // More samples than the file holds: refused before a buffer is made.
                     "Campioni del suono incompleti: 4 di 50 byte\r\n"
                     "Intestazione del suono incompleta\r\n"
                     "SoundBuffer: Locked 4 bytes from *\n");
}

TEST_F(LoadSoundTest, ABufferThatCannotBeLockedIsReleased)
{
    OpenSounds({SoundBytes(0, 4, 11025, "abcd")});
    platform::SetSoundFault(platform::SoundCall::Lock, DSERR_BUFFERLOST);
    EXPECT_EQ(Load(0), nullptr);
    platform::ClearSoundFaults();
    EXPECT_NE(SeekPackEntry(pack, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Log(), "Impossibile Agganciare il Buffer Secondario\r\n");
}

// Every cut and many corruptions of a pack of sounds: whatever the reader makes of them, it
// must neither crash nor read or write out of bounds.
TEST_F(LoadSoundTest, MalformedPacksAndSoundsAreSurvived)
{
    std::string good = PackBytes(3, {{"SND0", 124, "a"}, {"SND0", 136, "#\x01"}, {"QVx3", 4, ""}});
    good += SoundBytes(0, 0, 11025, "") + SoundBytes(3, 8, 22050, "12345678");
    const auto tryPack = [&](const std::string& bytes) {
        WriteFile("bad.pck", bytes);
        PackArchive* bad = OpenPack("bad.pck", 0);
        if (bad == nullptr) return;
        for (DWORD index = 0; index < 4; ++index) {
            GetPackEntryLabel(bad, index);
            if (const LPDIRECTSOUNDBUFFER sound = LoadSound(SeekPackEntry(bad, index), 2))
                sound->Release();
        }
        ClosePack(bad);
    };
    for (std::size_t length = 0; length <= good.size(); ++length) tryPack(good.substr(0, length));
    crt::srand(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = good;
        for (int change = 0; change < 4; ++change)
            bytes[crt::rand() % bytes.size()] = static_cast<char>(crt::rand() & 0xFF);
        tryPack(bytes);
    }
    SUCCEED();
}

} // namespace
