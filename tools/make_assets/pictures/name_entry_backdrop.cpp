// "std.qvx": behind the name dialog, which opens in the middle of the screen (about columns
// 190 to 450, rows 155 to 325). The heading stays above it, the glimbots below.

#include <cmath>

#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/pictures/pictures.h"
#include "tools/make_assets/sprites/creature_sprites.h"

namespace art {
namespace {

constexpr LetteringStyle headingStyle {LETTERING_GOLD, FIRE.At(2), BLACK, 2, 3, BLACK};

// A dark red glow that fades to black towards the corners.
void PaintVignette(Picture& picture)
{
    PaintBox(picture, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, [](int x, int y) {
        const float dx = (x - SCREEN_WIDTH / 2.0f) / (SCREEN_WIDTH / 2.0f);
        const float dy = (y - SCREEN_HEIGHT / 2.0f) / (SCREEN_HEIGHT / 2.0f);
        const float glow = 1.0f - std::sqrt(dx * dx + dy * dy) / 1.3f;
        if (glow + 0.25f * DitherThreshold(x, y) < 0.3f) return BLACK;
        return ShadeSteps(FIRE, 0, 2, glow, x, y);
    });
}

// A huge faint gun sight round the dialog.
void PaintSight(Picture& picture)
{
    const Point centre {SCREEN_WIDTH / 2.0f, SCREEN_HEIGHT / 2.0f};
    DrawRing(picture, centre, 176.0f, 182.0f, BLOOD.At(0));
    DrawLine(picture, {centre.x, 20.0f}, {centre.x, 130.0f}, 4.0f, BLOOD.At(0));
    DrawLine(picture, {centre.x, 350.0f}, {centre.x, 460.0f}, 4.0f, BLOOD.At(0));
    DrawLine(picture, {60.0f, centre.y}, {170.0f, centre.y}, 4.0f, BLOOD.At(0));
    DrawLine(picture, {470.0f, centre.y}, {580.0f, centre.y}, 4.0f, BLOOD.At(0));
}

void PaintGlimbotRow(Picture& picture)
{
    const auto sprites = CreatureSprites();
    for (int i = 0; i < CREATURE_TYPES; ++i) {
        Stamp(picture, sprites[i], SCREEN_WIDTH / 2 - 2 * 64 + 8 + 64 * i, 352);
    }
}

} // namespace

Picture NameEntryBackdrop()
{
    Picture picture("std.qvx", SCREEN_WIDTH, SCREEN_HEIGHT);
    PaintVignette(picture);
    PaintSight(picture);
    PaintGlimbotRow(picture);
    DrawLettering(picture, TextMask(DisplayFont(96), "NEW KILLER!", 330, 48), 155, 56,
                  headingStyle);
    const auto& font = LabelFont(16);
    const char* line = "THE GLIMBOTS WILL REMEMBER YOUR NAME";
    DrawCentredLabel(picture, font, line, SCREEN_WIDTH / 2 + 2, 422, BLACK);
    DrawCentredLabel(picture, font, line, SCREEN_WIDTH / 2, 420, LETTERING_GOLD.At(7));
    return picture;
}

} // namespace art
