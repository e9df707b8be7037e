// "title.qvx": the game's name, last to zoom in, under the glimbot.

#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/pictures/pictures.h"

namespace art {
namespace {

constexpr int WIDTH = 340;
constexpr int HEIGHT = 60;

constexpr LetteringStyle style {LETTERING_GOLD, FIRE.At(2), BLACK, 2, 3, BLACK};
constexpr int MARGIN = 3; // the outlines' width round the letters
constexpr int INK_WIDTH = WIDTH - 2 * MARGIN - 3;
constexpr int INK_HEIGHT = HEIGHT - 2 * MARGIN - 3;

} // namespace

Picture TitleLettering()
{
    Picture picture("title.qvx", WIDTH, HEIGHT, 0, TITLE_LETTERING_KEY);
    const Picture mask = TextMask(DisplayFont(96), "KILL GLIMBOT", INK_WIDTH, INK_HEIGHT);
    DrawLettering(picture, mask, MARGIN, MARGIN, style);
    return picture;
}

} // namespace art
