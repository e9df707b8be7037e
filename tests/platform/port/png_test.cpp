#include "platform/png.h"
#include "tests/common/test_support.h"

namespace {

using PngTest = test::TempFolderTest;

TEST_F(PngTest, IndicesTheWholePaletteAndATransparentIndexSurviveARoundTrip)
{
    platform::IndexedPicture picture;
    picture.width = 5;
    picture.height = 3;
    for (DWORD i = 0; i < 15; ++i) picture.pixels.push_back(static_cast<BYTE>(i * 17));
    for (int i = 0; i < 256; ++i) {
        picture.palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 0};
    }
    picture.palette[34] = picture.palette[17]; // two entries of one colour stay two indices
    picture.transparentIndex = 17;

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
    EXPECT_EQ(read->transparentIndex, std::optional<BYTE>(17));
    const std::string file = ReadFile("p.png");
    const auto rgba = platform::DecodePngRgba(std::vector<BYTE>(file.begin(), file.end()));
    ASSERT_TRUE(rgba.has_value());
    EXPECT_EQ(std::vector<BYTE>(rgba->pixels.begin(), rgba->pixels.begin() + 8),
              (std::vector<BYTE> {0, 255, 7, 255, 17, 238, 7, 0})); // opaque, then see-through

    picture.transparentIndex.reset();
    ASSERT_TRUE(platform::WriteIndexedPng("plain.png", picture));
    EXPECT_FALSE(platform::ReadIndexedPng("plain.png")->transparentIndex.has_value());
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
    EXPECT_FALSE(platform::DecodePngRgba({1, 2, 3}).has_value());
}

} // namespace
