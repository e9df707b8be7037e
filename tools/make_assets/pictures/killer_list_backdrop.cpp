// "credits.qvx": the Killer List. The game writes ten names at column 120 and "kills (peak)" at
// column 360, rows 120 to 336, in white: they sit in the dark striped table, behind the rank
// numbers printed here.

#include <string>

#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/art/panels.h"
#include "tools/make_assets/art/scenery.h"
#include "tools/make_assets/pictures/pictures.h"

namespace art {
namespace {

constexpr Box table {64, 86, 576, 370};
constexpr int ROW_TOP_MARGIN = 2; // the text cell starts this far into its stripe
constexpr int RANK_RIGHT = 106;
constexpr int EARTH_ROW = 404;

constexpr LetteringStyle headingStyle {FIRE, BLOOD.At(0), BLACK, 2, 3, BLACK};

void PaintTable(Picture& picture)
{
    Bevel(picture, table, STEEL.At(10), STEEL.At(2), STEEL.At(0), 3);
    for (int k = 0; k < KILLER_ROWS; ++k) {
        const int top = KILLER_FIRST_ROW + KILLER_ROW_STEP * k - ROW_TOP_MARGIN;
        FillBox(picture, {table.left + 4, top, table.right - 4, top + KILLER_ROW_STEP},
                STEEL.At(k % 2 == 0 ? 3 : 2));
        const std::string rank = std::to_string(k + 1) + ".";
        const auto& font = LabelFont(HUD_TEXT_HEIGHT);
        DrawLabel(picture, font, rank, RANK_RIGHT - font.Advance(rank),
                  KILLER_FIRST_ROW + KILLER_ROW_STEP * k, LETTERING_GOLD.At(6));
    }
    const auto& small = LabelFont(13);
    DrawLabel(picture, small, "NAME", KILLER_NAME_LEFT, 97, LETTERING_GOLD.At(4));
    DrawLabel(picture, small, "KILLS (PEAK)", KILLER_SCORE_LEFT, 97, LETTERING_GOLD.At(4));
    FillBox(picture, {table.left + 4, 113, table.right - 4, 115}, STEEL.At(8));
}

} // namespace

Picture KillerListBackdrop()
{
    Picture picture("credits.qvx", SCREEN_WIDTH, SCREEN_HEIGHT);
    PaintSky(picture, {0, 0, SCREEN_WIDTH, EARTH_ROW}, DUSK);
    PaintStars(picture, {0, 0, SCREEN_WIDTH, 300}, 120, 51);
    PaintRidge(picture, {EARTH_ROW - 24.0f, 14.0f, 60.0f, 52}, SCREEN_HEIGHT, NEAR_HILLS);
    PaintBox(picture, {0, EARTH_ROW, SCREEN_WIDTH, SCREEN_HEIGHT}, [](int x, int y) {
        const float grain = FractalNoise(x / 6.0f, y / 3.0f, 3, 53);
        return Shade(GROUND, (y - EARTH_ROW) / 70.0f + 0.3f * (grain - 0.5f), x, y);
    });
    PaintSplash(picture, {40.0f, 60.0f}, 16.0f, 54);
    PaintSplash(picture, {600.0f, 420.0f}, 20.0f, 55);
    DrawLettering(picture, TextMask(DisplayFont(96), "KILLER LIST", 340, 46), 150, 24,
                  headingStyle);
    PaintTable(picture);
    const auto& font = LabelFont(16);
    DrawCentredLabel(picture, font, "PRESS ANY KEY", SCREEN_WIDTH / 2 + 2, 442, BLACK);
    DrawCentredLabel(picture, font, "PRESS ANY KEY", SCREEN_WIDTH / 2, 440, LETTERING_GOLD.At(7));
    return picture;
}

} // namespace art
