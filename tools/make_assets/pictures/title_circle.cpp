// "circle.qvx": the gun sight that closes round the title glimbot. Its middle is transparent.

#include <cmath>

#include "tools/make_assets/art/paint.h"
#include "tools/make_assets/pictures/pictures.h"

namespace art {
namespace {

constexpr int SIZE = 200;
constexpr float CENTRE = SIZE / 2.0f;
constexpr float OUTER_RADIUS = 98.0f;
constexpr float INNER_RADIUS = 85.0f;
constexpr float TICK_REACH = 68.0f;
constexpr float PI = 3.14159265f;

void PaintRing(Picture& picture)
{
    const float band = OUTER_RADIUS - INNER_RADIUS;
    PaintEllipse(picture, {CENTRE, CENTRE}, OUTER_RADIUS, OUTER_RADIUS,
                 [&](int x, int y, float u, float v) {
                     const float r = std::sqrt(u * u + v * v) * OUTER_RADIUS;
                     if (r < INNER_RADIUS) return picture.At(x, y);
                     // A rounded metal tube: lit along its middle, and from the upper left.
                     const float across = (r - INNER_RADIUS) / band * 2.0f - 1.0f;
                     const float tube = 1.0f - across * across;
                     const float side = 0.5f - 0.35f * (u + v) / std::sqrt(2.0f);
                     return ShadeSteps(FIRE, 0, 9, 0.1f + 0.6f * tube * side + 0.3f * tube, x, y);
                 });
    DrawRing(picture, {CENTRE, CENTRE}, OUTER_RADIUS - 1.0f, OUTER_RADIUS + 1.0f, BLACK);
    DrawRing(picture, {CENTRE, CENTRE}, INNER_RADIUS - 1.0f, INNER_RADIUS, BLACK);
}

// Notches round the ring and four pointers reaching in towards the target.
void PaintMarks(Picture& picture)
{
    for (int mark = 0; mark < 24; ++mark) {
        const float angle = static_cast<float>(mark) * PI / 12.0f;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        DrawLine(picture, {CENTRE + c * (INNER_RADIUS + 2.0f), CENTRE + s * (INNER_RADIUS + 2.0f)},
                 {CENTRE + c * (INNER_RADIUS + 5.0f), CENTRE + s * (INNER_RADIUS + 5.0f)}, 1.5f,
                 FIRE.At(1));
    }
    for (int pointer = 0; pointer < 4; ++pointer) {
        const float angle = static_cast<float>(pointer) * PI / 2.0f;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        auto at = [&](float along, float across) {
            return Point {CENTRE + c * along - s * across, CENTRE + s * along + c * across};
        };
        FillPolygon(picture,
                    {at(INNER_RADIUS + 1, -7), at(TICK_REACH - 1, -1.5f), at(TICK_REACH - 1, 1.5f),
                     at(INNER_RADIUS + 1, 7)},
                    BLACK);
        FillPolygon(picture,
                    {at(INNER_RADIUS, -5.5f), at(TICK_REACH, -0.5f), at(TICK_REACH, 0.5f),
                     at(INNER_RADIUS, 5.5f)},
                    GREYS.At(14));
    }
}

} // namespace

Picture TitleCircle()
{
    Picture picture("circle.qvx", SIZE, SIZE, 0, TITLE_PICTURE_KEY);
    PaintRing(picture);
    PaintMarks(picture);
    return picture;
}

} // namespace art
