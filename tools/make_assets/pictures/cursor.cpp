// "cursor.qvx": the crosshair, drawn centred on the mouse (its pixel 12, 12 is the aim).

#include "tools/make_assets/art/paint.h"
#include "tools/make_assets/pictures/pictures.h"

namespace art {
namespace {

constexpr int SIZE = 24;
constexpr float AIM = 12.5f; // centre of pixel 12

} // namespace

Picture CursorPicture()
{
    Picture picture("cursor.qvx", SIZE, SIZE, 0, TRANSPARENT_KEY);
    DrawRing(picture, {AIM, AIM}, 6.0f, 8.0f, FIRE.At(9));
    for (auto [dx, dy] : {std::pair {1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        // Arms from the edge to just short of the aim point, so the target stays visible.
        FillBox(picture,
                {dx > 0   ? 16
                 : dx < 0 ? 1
                          : 12,
                 dy > 0   ? 16
                 : dy < 0 ? 1
                          : 12,
                 dx > 0   ? 23
                 : dx < 0 ? 9
                          : 13,
                 dy > 0   ? 23
                 : dy < 0 ? 9
                          : 13},
                WHITE);
    }
    picture.Set(12, 12, HUD_RED);
    OutlineShape(picture, BLACK); // dark rim: the sight reads on sky and earth alike
    return picture;
}

} // namespace art
