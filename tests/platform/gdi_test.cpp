#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/device_context.h"
#include "platform/gdi.h"

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
        LOGFONTA record {};
        record.lfHeight = 18;
        record.lfWeight = FW_BOLD;
        std::strcpy(record.lfFaceName, "Verdana");
        font = CreateFontIndirectA(&record);
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

TEST_F(GdiTest, TextIsDrawnSolidInTheNearestPaletteColour)
{
    SelectObject(dc.get(), font);
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(250, 250, 250));
    EXPECT_TRUE(TextOutA(dc.get(), 10, 10, "88", 2));
    EXPECT_GT(Count(200), 20);
    EXPECT_EQ(Count(201), 0);
    // Only the two index values appear: no antialiasing on an 8-bit surface.
    EXPECT_EQ(Count(200) + Count(1), static_cast<int>(pixels.size()));
    // Nothing lands in the padding beyond the width.
    for (DWORD y = 0; y < height; ++y) EXPECT_EQ(At(width + 10, static_cast<int>(y)), 1);
}

TEST_F(GdiTest, OpaqueTextFillsItsCellWithTheBackgroundColour)
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
}

TEST_F(GdiTest, TextIsClippedAtTheSurfaceEdges)
{
    SelectObject(dc.get(), font);
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    EXPECT_TRUE(TextOutA(dc.get(), -5, 50, "WWWWWWWWWWWWWWWWWWWW", 20));
    for (int x = width; x < pitch; ++x) {
        for (DWORD y = 0; y < height; ++y) ASSERT_EQ(At(x, static_cast<int>(y)), 1);
    }
    EXPECT_GT(Count(200), 0);
}

TEST_F(GdiTest, SettersAnswerWhatTheyReplaceAndSelectionRoundTrips)
{
    EXPECT_EQ(SetTextColor(dc.get(), RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc.get(), RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(SetBkMode(dc.get(), TRANSPARENT), OPAQUE);
    const HGDIOBJ previous = SelectObject(dc.get(), font);
    EXPECT_EQ(previous, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc.get(), previous), font);
    EXPECT_TRUE(TextOutA(dc.get(), 0, 0, "", 0));
    EXPECT_EQ(Count(1), static_cast<int>(pixels.size())); // an empty text draws nothing
}

TEST_F(GdiTest, AMissingFaceFallsBackToAnInstalledOne)
{
    LOGFONTA record {};
    record.lfHeight = 12;
    std::strcpy(record.lfFaceName, "No Such Face At All");
    const HFONT fallback = CreateFontIndirectA(&record);
    ASSERT_NE(fallback, nullptr);
    SelectObject(dc.get(), fallback);
    SIZE extent {};
    GetTextExtentPoint32A(dc.get(), "no sound", 8, &extent);
    EXPECT_GT(extent.cx, 20);
    EXPECT_EQ(extent.cy, 12);
    EXPECT_TRUE(DeleteObject(fallback));
    EXPECT_FALSE(DeleteObject(fallback));
}

TEST_F(GdiTest, FillRectPaintsTheClippedRectangle)
{
    const RECT rect {190, 50, 400, 400};
    EXPECT_EQ(FillRect(dc.get(), &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 1);
    EXPECT_EQ(Count(200), 10 * 10);
}

} // namespace
