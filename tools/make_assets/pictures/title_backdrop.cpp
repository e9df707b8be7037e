// "body.qvx": the title screen behind the zoom. Evening over the glimbots' hills, a full moon
// behind the sight, a light plate top right for the version texts.

#include <cmath>

#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/art/panels.h"
#include "tools/make_assets/art/scenery.h"
#include "tools/make_assets/pictures/pictures.h"
#include "tools/make_assets/sprites/creature_sprites.h"

namespace art {
namespace {

constexpr int HILLS_ROW = 360;
constexpr int EARTH_ROW = 392;
constexpr float MOON_RADIUS = 118.0f;
constexpr int SKY_BOTTOM = HILLS_ROW + 20;

float SkyLevel(int y) { return static_cast<float>(y) / (SKY_BOTTOM - 1); }

void PaintMoon(Picture& picture)
{
    const Point centre {TITLE_ZOOM_CENTRE_X, TITLE_ZOOM_CENTRE_Y};
    // The sky brightens round the moon.
    const float glowRadius = MOON_RADIUS * 1.5f;
    PaintEllipse(picture, centre, glowRadius, glowRadius, [&](int x, int y, float u, float v) {
        const float glow = 1.0f - std::sqrt(u * u + v * v);
        return Shade(DUSK, SkyLevel(y) + 0.22f * glow, x, y);
    });
    PaintEllipse(picture, centre, MOON_RADIUS, MOON_RADIUS, [&](int x, int y, float u, float v) {
        const float craters = FractalNoise(u * 3.0f + 5.0f, v * 3.0f + 5.0f, 4, 31);
        const float light = 0.75f - 0.2f * (u + v) * 0.5f - 0.6f * std::max(0.0f, craters - 0.55f);
        return ShadeSteps(LETTERING_GOLD, 6, 8, light, x, y);
    });
}

// Glimbots peeking out of the earth, as they do in play.
void PaintPeekingGlimbots(Picture& picture)
{
    const auto sprites = CreatureSprites();
    const int columns[] = {40, 150, 450, 560};
    const int showing[] = {26, 18, 22, 30};
    for (int i = 0; i < CREATURE_TYPES; ++i) {
        const Picture& sprite = sprites[i];
        for (int r = 0; r < showing[i]; ++r) {
            for (int c = 0; c < sprite.width; ++c) {
                if (sprite.Opaque(c, r))
                    picture.Set(columns[i] + c, EARTH_ROW - showing[i] + r, sprite.At(c, r));
            }
        }
    }
}

void PaintVersionPlate(Picture& picture)
{
    Bevel(picture,
          {VERSION_TEXT_LEFT - 8, VERSION_TEXT_TOP - 3, SCREEN_WIDTH - 4, SOUND_TEXT_TOP + 16},
          STEEL.At(15), STEEL.At(13), STEEL.At(8));
}

} // namespace

Picture TitleBackdrop()
{
    Picture picture("body.qvx", SCREEN_WIDTH, SCREEN_HEIGHT);
    PaintSky(picture, {0, 0, SCREEN_WIDTH, SKY_BOTTOM}, DUSK);
    PaintStars(picture, {0, 0, SCREEN_WIDTH, 200}, 140, 41);
    PaintMoon(picture);
    PaintRidge(picture, {HILLS_ROW - 20.0f, 26.0f, 70.0f, 42}, SCREEN_HEIGHT, STEEL);
    PaintRidge(picture, {HILLS_ROW + 4.0f, 12.0f, 60.0f, 43}, SCREEN_HEIGHT, FOLIAGE);
    PaintBox(picture, {0, EARTH_ROW, SCREEN_WIDTH, SCREEN_HEIGHT}, [](int x, int y) {
        const float grain = FractalNoise(x / 6.0f, y / 3.0f, 3, 44);
        return Shade(GROUND, (y - EARTH_ROW) / 90.0f + 0.3f * (grain - 0.5f), x, y);
    });
    PaintPeekingGlimbots(picture);
    PaintVersionPlate(picture);
    const auto& font = LabelFont(16);
    DrawCentredLabel(picture, font, "PRESS ANY KEY", SCREEN_WIDTH / 2 + 2, 442, BLACK);
    DrawCentredLabel(picture, font, "PRESS ANY KEY", SCREEN_WIDTH / 2, 440, LETTERING_GOLD.At(7));
    return picture;
}

} // namespace art
