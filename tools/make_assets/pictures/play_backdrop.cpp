// "sfonde.qvx": the play screen. A clear day over hills; the game paints the earth over it from
// its random ground line (about rows 150 to 330) down to row 455. The top strip stays on screen
// all run long, the bottom strip frames the kill count and the score.

#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/art/panels.h"
#include "tools/make_assets/art/scenery.h"
#include "tools/make_assets/pictures/pictures.h"

namespace art {
namespace {

constexpr int HORIZON_ROW = 330;
constexpr int WELL_WIDTH = 132;
constexpr int LABEL_GAP = 8;

void PaintLandscape(Picture& picture)
{
    PaintSky(picture, {0, TOP_STRIP_ROWS, SCREEN_WIDTH, HORIZON_ROW}, SKY);
    // Clouds keep clear of the band where the bonus messages slide in (rows 95 to 145).
    PaintCloud(picture, {100.0f, 58.0f}, 150.0f, 11);
    PaintCloud(picture, {468.0f, 52.0f}, 120.0f, 12);
    PaintCloud(picture, {590.0f, 160.0f}, 80.0f, 13);
    PaintCloud(picture, {250.0f, 156.0f}, 64.0f, 14);
    PaintRidge(picture, {172.0f, 40.0f, 60.0f, 21}, BOTTOM_STRIP_TOP, FAR_MOUNTAINS);
    PaintRidge(picture, {208.0f, 18.0f, 110.0f, 22}, BOTTOM_STRIP_TOP, NEAR_HILLS);
    const Ridge trees {224.0f, 8.0f, 90.0f, 23};
    for (int x = -6; x < SCREEN_WIDTH + 6; x += 9) {
        const float crest = RidgeCrest(trees, x);
        const float radius = 6.0f + 3.0f * ValueNoise(static_cast<float>(x) * 0.3f, 1.0f, 24);
        PaintEllipse(picture, {static_cast<float>(x), crest}, radius, radius * 1.3f,
                     [](int px, int py, float u, float v) {
                         return ShadeSteps(FOLIAGE, 1, 8, RoundLight(u, v), px, py);
                     });
    }
    PaintRidge(picture, {234.0f, 8.0f, 90.0f, 23}, BOTTOM_STRIP_TOP, FOLIAGE);
}

// A label right-aligned before a well that the game fills with a number.
void HudField(Picture& picture, const char* label, int textLeft)
{
    const auto& font = LabelFont(14);
    const int labelRight = textLeft - LABEL_GAP;
    const int labelLeft = labelRight - font.Advance(label);
    DrawLabel(picture, font, label, labelLeft + 1, HUD_TEXT_TOP + 2, STEEL.At(1));
    DrawLabel(picture, font, label, labelLeft, HUD_TEXT_TOP + 1, LETTERING_GOLD.At(6));
    InsetWell(picture,
              {textLeft - 5, BOTTOM_STRIP_TOP + 1, textLeft - 5 + WELL_WIDTH, SCREEN_HEIGHT - 1});
}

void PaintStrips(Picture& picture)
{
    SteelStrip(picture, {0, 0, SCREEN_WIDTH, TOP_STRIP_ROWS});
    const auto& font = LabelFont(16);
    DrawCentredLabel(picture, font, "KILL GLIMBOT", SCREEN_WIDTH / 2 + 1, 4, STEEL.At(1));
    DrawCentredLabel(picture, font, "KILL GLIMBOT", SCREEN_WIDTH / 2, 3, LETTERING_GOLD.At(6));
    SteelStrip(picture, {0, BOTTOM_STRIP_TOP, SCREEN_WIDTH, SCREEN_HEIGHT});
    HudField(picture, "KILLS", KILLS_TEXT_LEFT);
    HudField(picture, "SCORE", SCORE_TEXT_LEFT);
}

} // namespace

Picture PlayBackdrop()
{
    Picture picture("sfonde.qvx", SCREEN_WIDTH, SCREEN_HEIGHT);
    PaintLandscape(picture);
    PaintStrips(picture);
    return picture;
}

} // namespace art
