#include "platform/font_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

int InkSum(const platform::TextCoverage& text)
{
    return std::accumulate(text.coverage.begin(), text.coverage.end(), 0);
}

TEST(RasterFontTest, FamiliesTheGameAsksForAlwaysFindAFace)
{
    for (const char* family : {"Verdana", "Arial", "No Such Family At All"}) {
        const auto font = platform::RasterFont::Open(family, 18, 700);
        ASSERT_NE(font, nullptr) << family;
        EXPECT_FALSE(font->FamilyName().empty()) << family;
        EXPECT_EQ(font->CellHeight(), 18);
        EXPECT_GT(font->Ascent(), 9);
        EXPECT_LT(font->Ascent(), 18);
    }
}

TEST(RasterFontTest, RenderedTextMatchesItsMeasuredAdvanceAndStaysInItsCell)
{
    const auto font = platform::RasterFont::Open("Verdana", 36, 700);
    ASSERT_NE(font, nullptr);
    const auto text = font->Render("KILLER BONUS +50");
    EXPECT_EQ(text.advance, font->Advance("KILLER BONUS +50"));
    EXPECT_EQ(text.height, 36);
    EXPECT_GE(text.width, text.advance);
    ASSERT_EQ(text.coverage.size(), static_cast<std::size_t>(text.width) * text.height);
    EXPECT_GT(InkSum(text), 0);
    // Capitals sit on the baseline: no ink in the rows below it but a little antialiasing.
    for (int y = text.ascent + 1; y < text.height; ++y) {
        for (int x = 0; x < text.width; ++x)
            EXPECT_LT(text.coverage[y * text.width + x], 128) << x << "," << y;
    }
}

TEST(RasterFontTest, AdvancesAddUpAndDecodeUtf8AndBoldCarriesMoreInk)
{
    const auto bold = platform::RasterFont::Open("Verdana", 18, 700);
    const auto normal = platform::RasterFont::Open("Verdana", 18, 400);
    ASSERT_NE(bold, nullptr);
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(bold->Advance("WW"), 2 * bold->Advance("W"));
    EXPECT_EQ(normal->Advance("\xC3\xA0"), normal->Advance("a")); // one glyph for its two bytes
    EXPECT_GT(InkSum(bold->Render("Glimbot")), InkSum(normal->Render("Glimbot")));
    const auto empty = bold->Render("");
    EXPECT_EQ(empty.advance, 0);
    EXPECT_EQ(InkSum(empty), 0);
}

} // namespace
