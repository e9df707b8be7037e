#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "graphics/text_output.h"
#include "platform/gdi/device_context.h"
#include "tests/common/test_support.h"

namespace {

TEST(TextOutput, TheShadowLiesUnderTheTextAndTheColourIsGivenBack)
{
    std::array<PALETTEENTRY, 256> palette {};
    palette[1] = {255, 255, 255, 0};
    palette[2] = {128, 128, 128, 0}; // the ground: neither black nor white
    std::vector<BYTE> pixels(128 * 40, 2);
    HDC__ dc {pixels.data(), 128, 100, 40, palette.data()};
    const HFONT font = test::MakeFont(18);
    SelectObject(&dc, font);
    SetBkMode(&dc, TRANSPARENT);
    SetTextColor(&dc, RGB(255, 255, 255));

    EXPECT_TRUE(PrintShadowText(&dc, 10, 10, "42", 2));
    EXPECT_EQ(SetTextColor(&dc, 0), RGB(255, 255, 255));
    const auto count = [&](BYTE index) { return std::count(pixels.begin(), pixels.end(), index); };
    EXPECT_GT(count(1), 20);
    EXPECT_GT(count(0), 0); // the black shadow shows beside and below the white text
    // The shadow is the text moved 2 pixels right and down: its top row and its left column
    // lie 2 beyond the text's.
    const auto edges = [&](BYTE index) {
        std::size_t top = 40, left = 128;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            if (pixels[i] != index) continue;
            top = std::min(top, i / 128);
            left = std::min(left, i % 128);
        }
        return std::pair {top, left};
    };
    EXPECT_EQ(edges(0).first, edges(1).first + 2);
    EXPECT_EQ(edges(0).second, edges(1).second + 2);
    DeleteObject(font);
}

} // namespace
