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
    png.transparentIndex = picture.key;
    return platform::WriteIndexedPng(path.c_str(), png);
}

} // namespace art
