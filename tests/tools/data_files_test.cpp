#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/image_reader.h"
#include "tests/graphics/graphics_fixture.h"
#include "tools/make_assets/output/data_files.h"
#include "tools/make_assets/pictures/pictures.h"

namespace {

using DataFilesTest = test::GraphicsTest;

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
    const std::string log = LogText();
    for (const char* failure : {"IMPOSSIBILE", "non è", "BAD QVX", "No Decompressor", "palette"})
        EXPECT_EQ(log.find(failure), std::string::npos) << failure << " in:\n" << log;
}

TEST_F(DataFilesTest, TwoRunsWriteTheSameBytes)
{
    std::filesystem::create_directories("first");
    std::filesystem::create_directories("second");
    ASSERT_TRUE(art::WritePictureFiles("first"));
    ASSERT_TRUE(art::WritePictureFiles("second"));
    for (const auto& entry : std::filesystem::directory_iterator("first")) {
        const auto name = entry.path().filename();
        EXPECT_EQ(ReadFile("first" / name), ReadFile("second" / name)) << name;
    }
}

} // namespace
