#include "tools/make_assets/output/png_export.h"

#include "platform/png.h"
#include "tools/make_assets/art/palette.h"

namespace art {

bool WritePicturePng(const Picture& picture, const std::string& path)
{
    platform::IndexedPicture png;
    png.width = static_cast<DWORD>(picture.width);
    png.height = static_cast<DWORD>(picture.height);
    png.pixels = picture.pixels;
    png.palette = GamePalette();
    return platform::WriteIndexedPng(path.c_str(), png);
}

Picture Enlarged(const Picture& picture, int factor)
{
    Picture large(picture.name, picture.width * factor, picture.height * factor, 0, picture.key);
    for (int y = 0; y < large.height; ++y) {
        for (int x = 0; x < large.width; ++x) large.Set(x, y, picture.At(x / factor, y / factor));
    }
    return large;
}

} // namespace art
