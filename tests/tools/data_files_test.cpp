#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/image_reader.h"
#include "sound/pack_archive.h"
#include "sound/pack_image.h"
#include "sound/sound_buffer.h"
#include "sound/sound_device.h"
#include "tests/graphics/graphics_fixture.h"
#include "tools/make_assets/output/data_files.h"
#include "tools/make_assets/pictures/pictures.h"
#include "tools/make_assets/sounds/game_sounds.h"
#include "tools/make_assets/sprites/creature_sprites.h"

namespace {

using DataFilesTest = test::GraphicsTest;

// The messages the readers write when a file is damaged or cannot be used.
void ExpectNoFailureIn(const std::string& log)
{
    for (const char* failure : {"IMPOSSIBILE", "non è", "BAD QVX", "No Decompressor", "palette",
                                "non disponibile", "Invalid", "Impossibile", "ERROR"})
        EXPECT_EQ(log.find(failure), std::string::npos) << failure << " in:\n" << log;
}

TEST_F(DataFilesTest, EveryPictureLoadsThroughTheGamesReaderWithItsPixelsIntact)
{
    ASSERT_TRUE(art::WritePictureFiles("."));
    for (const art::Picture& picture : art::GamePictures()) {
        DWORD result = 1;
        LPDIRECTDRAWSURFACE surface = LoadSurface(picture.name.c_str(), &result);
        ASSERT_NE(surface, nullptr) << picture.name;
        EXPECT_EQ(result, 0u) << picture.name;
        EXPECT_EQ(Pixels(surface), picture.pixels) << picture.name;
        surface->Release();
    }
    ExpectNoFailureIn(LogText());
}

TEST_F(DataFilesTest, TheCreaturePackHoldsTheFourSpritesAsThePlayLoadsThem)
{
    ASSERT_TRUE(art::WriteCreaturePack("."));
    PackArchive* pack = OpenPack("GLIM.PCK", 0);
    ASSERT_NE(pack, nullptr);
    LPDIRECTDRAWSURFACE surface = CreateSystemSurface(art::SPRITE_SIZE, art::SPRITE_SIZE);
    ASSERT_NE(surface, nullptr);
    const std::vector<art::Picture> sprites = art::CreatureSprites();
    for (DWORD type = 0; type < sprites.size(); ++type) {
        FillSurface(surface, 0);
        LoadPackImage(surface, pack, type);
        EXPECT_EQ(Pixels(surface), sprites[type].pixels) << type;
    }
    surface->Release();
    ClosePack(pack);
    ExpectNoFailureIn(LogText());
}

TEST_F(DataFilesTest, BothSoundPacksLoadEveryEntryIntoABufferOfItsSamples)
{
    platform::SetSoundOutput(platform::SoundOutput::None);
    WAVEFORMATEX format;
    MakePcmFormat(&format, 22050, true, true);
    ASSERT_TRUE(InitSound(nullptr, &format));
    ASSERT_TRUE(audio::WriteSoundPacks("."));
    for (const auto& [name, quality] :
         {std::pair {"SOUNDL.PCK", audio::LOW_QUALITY}, {"SOUNDM.PCK", audio::NORMAL_QUALITY}}) {
        PackArchive* pack = OpenPack(name, 0);
        ASSERT_NE(pack, nullptr) << name;
        const std::vector<audio::SoundEntry> entries = audio::SoundPackEntries(quality);
        for (DWORD i = 0; i < entries.size(); ++i) {
            const LPDIRECTSOUNDBUFFER buffer = LoadSound(SeekPackEntry(pack, i), DSBCAPS_STATIC);
            ASSERT_NE(buffer, nullptr) << name << " " << i;
            const std::vector<BYTE>& samples = entries[i].sound.samples;
            EXPECT_EQ(test::BufferBytes(buffer, static_cast<DWORD>(samples.size())),
                      std::string(samples.begin(), samples.end()))
                << name << " " << i;
            buffer->Release();
        }
        ClosePack(pack);
    }
    ReleaseSound();
    platform::SetSoundOutput(platform::SoundOutput::Device);
    ExpectNoFailureIn(LogText());
}

// Same machine, same bytes: a second run writes what the build's run wrote.
TEST_F(DataFilesTest, EveryRunWritesTheSameBytes)
{
    ASSERT_TRUE(art::WritePictureFiles("."));
    ASSERT_TRUE(art::WriteCreaturePack("."));
    ASSERT_TRUE(audio::WriteSoundPacks("."));
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        const auto name = entry.path().filename();
        EXPECT_TRUE(name == "log.txt" || ReadFile(name) == ReadFile(KG_DATA_DIR / name)) << name;
    }
}

} // namespace
