#include "platform/backend/screen_capture.h"

#include <algorithm>

#include "platform/ddraw.h"
#include "platform/png.h"

namespace platform {

bool SaveScreenshot(const char* path)
{
    DisplayView view {};
    if (!GetDisplayView(&view)) return false;
    IndexedPicture picture;
    picture.width = view.width;
    picture.height = view.height;
    picture.pixels.resize(static_cast<std::size_t>(view.width) * view.height);
    for (DWORD y = 0; y < view.height; ++y) {
        std::copy_n(view.pixels + static_cast<std::size_t>(y) * view.pitch, view.width,
                    picture.pixels.begin() + static_cast<std::ptrdiff_t>(y * view.width));
    }
    for (int i = 0; i < 256; ++i) {
        // Before a picture brings its palette the display shows grey levels.
        const auto grey = static_cast<BYTE>(i);
        picture.palette[i] =
            view.palette != nullptr ? view.palette[i] : PALETTEENTRY {grey, grey, grey, 0};
    }
    return WriteIndexedPng(path, picture);
}

} // namespace platform
