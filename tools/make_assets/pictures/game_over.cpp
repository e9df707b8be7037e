// "gameover.qvx": blood-red lettering dropped onto the last frame of play, at (208, 220), so it
// sits centred on the screen; everything round the letters is transparent.

#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/art/random.h"
#include "tools/make_assets/pictures/pictures.h"

namespace art {
namespace {

constexpr int WIDTH = 2 * (SCREEN_WIDTH / 2 - GAME_OVER_LEFT); // 224: centred on the screen
constexpr int HEIGHT = 92;
constexpr int MARGIN = 4;
constexpr int INK_HEIGHT = 62;

constexpr LetteringStyle style {BLOOD, LETTERING_GOLD.At(4), BLACK, 2, 3, BLACK};

// Blood running off the bottom of the letters.
void PaintDrips(Picture& picture)
{
    Random random(71);
    for (int drip = 0; drip < 9; ++drip) {
        const float x = 16.0f + random.Range(0.0f, WIDTH - 36.0f);
        const float length = random.Range(6.0f, 18.0f);
        const float top = MARGIN + INK_HEIGHT - 4.0f;
        DrawLine(picture, {x, top}, {x, top + length}, 3.0f, BLOOD.At(3));
        FillEllipse(picture, {x, top + length + 1.0f}, 2.4f, 3.0f, BLOOD.At(5));
    }
}

} // namespace

Picture GameOverPicture()
{
    Picture picture("gameover.qvx", WIDTH, HEIGHT, 0, TRANSPARENT_KEY);
    const Picture mask = TextMask(DisplayFont(96), "GAME OVER", WIDTH - 2 * MARGIN - 3, INK_HEIGHT);
    PaintDrips(picture);
    DrawLettering(picture, mask, MARGIN, MARGIN, style);
    OutlineShape(picture, BLACK);
    return picture;
}

} // namespace art
