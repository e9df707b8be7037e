#include "bench/graphics/background.h"

#include "platform/crt.h"

namespace {

BYTE Earth(int x) { return static_cast<BYTE>(68 + (x / 80) % 7); }
BYTE Gravel() { return static_cast<BYTE>(68 + crt::rand() % 7); }

BYTE Pixel(int x, int y, bool speckled)
{
    if (y < 160) return static_cast<BYTE>(16 + y / 8); // sky
    if (speckled) return crt::rand() % 8 == 0 ? Gravel() : Earth(x);
    if (y < 240) return static_cast<BYTE>(40 + x / 8);  // hills
    if (y >= 416) return Gravel();                      // gravel
    return crt::rand() % 32 == 0 ? Gravel() : Earth(x); // earth
}

} // namespace

qvx::Picture BackgroundPicture(bool speckled)
{
    qvx::Picture picture;
    picture.image = {640, 480, 8, {}};
    crt::srand(42);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) picture.image.pixels.push_back(Pixel(x, y, speckled));
    }
    qvx::Palette palette {};
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i * 3), static_cast<BYTE>(255 - i),
                      0};
    }
    picture.palette = palette;
    return picture;
}
