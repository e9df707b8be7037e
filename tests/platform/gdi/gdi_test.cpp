#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/gdi.h"
#include "platform/gdi/device_context.h"
#include "tests/common/test_support.h"

namespace {

// A 200 x 60 picture with a palette of distinct colours and one repeated entry.
class GdiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 256; ++i)
            palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), 0, 0};
        palette[200] = {255, 255, 255, 0};
        palette[201] = {255, 255, 255, 0}; // a tie: the lower index wins
        palette[7] = {0, 0, 255, 0};
        pixels.assign(pitch * height, 1);
        dc = std::make_unique<HDC__>(HDC__ {pixels.data(), pitch, width, height, palette.data()});
        font = test::MakeFont(18);
        ASSERT_NE(font, nullptr);
    }
    void TearDown() override { DeleteObject(font); }

    int Count(BYTE index) const
    {
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), index));
    }
    BYTE At(int x, int y) const { return pixels[y * pitch + x]; }

    static constexpr LONG pitch = 256;
    static constexpr DWORD width = 200;
    static constexpr DWORD height = 60;
    std::array<PALETTEENTRY, 256> palette {};
    std::vector<BYTE> pixels;
    std::unique_ptr<HDC__> dc;
    HFONT font = nullptr;
};

TEST_F(GdiTest, TextIsDrawnSolidInTheNearestPaletteColourAndClippedAtTheEdges)
{
    EXPECT_EQ(SetTextColor(dc.get(), RGB(250, 250, 250)), RGB(0, 0, 0));
    EXPECT_EQ(SetBkMode(dc.get(), TRANSPARENT), OPAQUE);
    const HGDIOBJ previous = SelectObject(dc.get(), font);
    EXPECT_EQ(previous, GetStockObject(SYSTEM_FONT));
    EXPECT_TRUE(TextOutA(dc.get(), 0, 0, "", 0)); // an empty text draws nothing
    EXPECT_EQ(Count(1), static_cast<int>(pixels.size()));
    EXPECT_TRUE(TextOutA(dc.get(), 10, 10, "88", 2));
    EXPECT_GT(Count(200), 20);
    EXPECT_EQ(Count(201), 0); // of two equal entries the lower wins
    // Only the two index values appear: no antialiasing on an 8-bit surface.
    EXPECT_EQ(Count(200) + Count(1), static_cast<int>(pixels.size()));
    EXPECT_TRUE(TextOutA(dc.get(), -5, 50, "WWWWWWWWWWWWWWWWWWWW", 20));
    for (int x = width; x < pitch; ++x) {
        for (DWORD y = 0; y < height; ++y) ASSERT_EQ(At(x, static_cast<int>(y)), 1);
    }
    EXPECT_EQ(SelectObject(dc.get(), previous), font);
}

TEST_F(GdiTest, OpaqueTextFillsItsCellRectanglesAreClippedAndAMissingFaceFallsBack)
{
    SelectObject(dc.get(), font);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    SetBkColor(dc.get(), RGB(0, 0, 250));
    SIZE extent {};
    ASSERT_TRUE(GetTextExtentPoint32A(dc.get(), " Load", 5, &extent));
    EXPECT_EQ(extent.cy, 18);
    TextOutA(dc.get(), 20, 5, " Load", 5);
    EXPECT_EQ(Count(7) + Count(200), extent.cx * extent.cy);
    EXPECT_EQ(At(20, 5), 7); // the leading blank is background
    const RECT rect {190, 50, 400, 400};
    const int before = Count(200);
    EXPECT_EQ(FillRect(dc.get(), &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 1);
    EXPECT_EQ(Count(200) - before, 10 * 10);
    // A face not installed falls back to one that is.
    const HFONT fallback = test::MakeFont(12, FW_NORMAL, "No Such Face At All");
    SelectObject(dc.get(), fallback);
    ASSERT_TRUE(GetTextExtentPoint32A(dc.get(), "no sound", 8, &extent));
    EXPECT_GT(extent.cx, 20);
    EXPECT_EQ(extent.cy, 12);
    EXPECT_TRUE(DeleteObject(fallback));
    EXPECT_FALSE(DeleteObject(fallback));
}

} // namespace
