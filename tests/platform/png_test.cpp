#include "platform/png.h"
#include "tests/common/test_support.h"

namespace {

using PngTest = test::TempFolderTest;

TEST_F(PngTest, IndicesAndTheWholePaletteSurviveARoundTrip)
{
    platform::IndexedPicture picture;
    picture.width = 5;
    picture.height = 3;
    for (DWORD i = 0; i < 15; ++i) picture.pixels.push_back(static_cast<BYTE>(i * 17));
    for (int i = 0; i < 256; ++i) {
        picture.palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 0};
    }
    picture.palette[34] = picture.palette[17]; // two entries of one colour stay two indices

    ASSERT_TRUE(platform::WriteIndexedPng("p.png", picture));
    const auto read = platform::ReadIndexedPng("p.png");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->width, 5u);
    EXPECT_EQ(read->height, 3u);
    EXPECT_EQ(read->pixels, picture.pixels);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(read->palette[i].peRed, picture.palette[i].peRed) << i;
        EXPECT_EQ(read->palette[i].peGreen, picture.palette[i].peGreen) << i;
        EXPECT_EQ(read->palette[i].peBlue, picture.palette[i].peBlue) << i;
    }
}

TEST_F(PngTest, MissingAndDamagedFilesAreRefusedWithAReason)
{
    std::string reason;
    EXPECT_FALSE(platform::ReadIndexedPng("none.png", &reason).has_value());
    EXPECT_FALSE(reason.empty());
    WriteFile("bad.png", "\x89PNG\r\n\x1a\n garbage");
    reason.clear();
    EXPECT_FALSE(platform::ReadIndexedPng("bad.png", &reason).has_value());
    EXPECT_FALSE(reason.empty());
}

TEST_F(PngTest, ATransparentIndexSurvivesARoundTripAndDecodesSeeThrough)
{
    platform::IndexedPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.pixels = {9, 1, 2, 9};
    for (int i = 0; i < 256; ++i) picture.palette[i] = {static_cast<BYTE>(i), 9, 9, 0};
    picture.transparentIndex = 9;
    ASSERT_TRUE(platform::WriteIndexedPng("icon.png", picture));
    const auto read = platform::ReadIndexedPng("icon.png");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->pixels, picture.pixels);
    EXPECT_EQ(read->transparentIndex, std::optional<BYTE>(9));
    const std::string file = ReadFile("icon.png");
    const auto rgba = platform::DecodePngRgba(std::vector<BYTE>(file.begin(), file.end()));
    ASSERT_TRUE(rgba.has_value());
    EXPECT_EQ(std::vector<BYTE>(rgba->pixels.begin() + 3, rgba->pixels.begin() + 8),
              (std::vector<BYTE> {0, 1, 9, 9, 255})); // see-through, then opaque
    EXPECT_FALSE(platform::DecodePngRgba({1, 2, 3}).has_value());

    picture.transparentIndex.reset();
    ASSERT_TRUE(platform::WriteIndexedPng("plain.png", picture));
    EXPECT_FALSE(platform::ReadIndexedPng("plain.png")->transparentIndex.has_value());
}

} // namespace
