// "glimbot.qvx": the title screen's glimbot, zooming in first and framed by the circle.

#include "tools/make_assets/pictures/pictures.h"
#include "tools/make_assets/sprites/creature_canvas.h"

namespace art {
namespace {

constexpr int WIDTH = 166;
constexpr int HEIGHT = 140;

} // namespace

Picture TitleGlimbot()
{
    Picture picture("glimbot.qvx", WIDTH, HEIGHT, 0, TITLE_PICTURE_KEY);
    const float size = HEIGHT - 4.0f;
    CreatureCanvas canvas(picture, (WIDTH - size) / 2.0f, 2.0f, size, CREATURE_GREEN);
    DrawGrunt(canvas);
    OutlineShape(picture, BLACK); // a second, black ring so it stands out against the moon
    return picture;
}

} // namespace art
