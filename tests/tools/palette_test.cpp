#include <gtest/gtest.h>

#include "tests/tools/colour_checks.h"

namespace {

using namespace art;

TEST(GamePaletteTest, TextColoursLandOnTheirOwnExactEntries)
{
    struct TextColour {
        int r, g, b;
        BYTE entry;
    };
    const TextColour colours[] = {
        {255, 255, 255, WHITE},
        {255, 0, 0, HUD_RED},
        {240, 240, 0, KILLER_BONUS_YELLOW},
        {127, 0, 0, BLOOD_BONUS_RED},
        {0, 63, 91, MESSAGE_SHADOW},
        {0, 0, 0, BLACK},
        {0, 0, 31, TITLE_TEXT_NAVY},
    };
    for (const TextColour& c : colours) {
        EXPECT_EQ(test::NearestEntry(c.r, c.g, c.b), c.entry) << c.r << "," << c.g << "," << c.b;
    }
}

TEST(GamePaletteTest, GroundDarkensWithDepthInEarthColours)
{
    for (int i = GROUND_SURFACE; i <= GROUND_DEEPEST; ++i) {
        const PALETTEENTRY& c = GamePalette()[i];
        EXPECT_GT(c.peRed, c.peGreen) << i;
        EXPECT_GT(c.peGreen, c.peBlue) << i;
        if (i > GROUND_SURFACE) {
            EXPECT_LT(test::Luminance(i), test::Luminance(i - 1)) << i;
        }
    }
}

TEST(GamePaletteTest, BloodIsRedAndItsHeadBrighterThanItsTail)
{
    for (BYTE i : {BLOOD_DARK, BLOOD_BRIGHT}) {
        const PALETTEENTRY& c = GamePalette()[i];
        EXPECT_GT(c.peRed, 3 * c.peGreen) << int(i);
        EXPECT_GT(c.peRed, 3 * c.peBlue) << int(i);
    }
    EXPECT_GT(test::Luminance(BLOOD_BRIGHT), test::Luminance(BLOOD_DARK) + 15);
}

} // namespace
