// A creature picture taken off a surface into a plain array, so drawing and bursting read it
// without locking anything.

#include <cstring>

#include "graphics/surfaces.h"
#include "support/memory.h"
#include "world/creatures.h"

DWORD CaptureSprite(BitmapRef* image, LPDIRECTDRAWSURFACE surface)
{
    *image = {};
    DDSURFACEDESC desc {};
    // An unlockable surface gives no pixels, and the creature is drawn without a picture.
    if (LockSurface(surface, &desc) != DD_OK) return 1;
    image->height = desc.dwHeight;
    image->width = desc.dwWidth;
    image->pitch = desc.dwWidth;
    image->address = static_cast<BYTE*>(MemAlloc(image->width * image->height));
    const auto* source = static_cast<const BYTE*>(desc.lpSurface);
    for (DWORD row = 0; image->address != nullptr && row < image->height; ++row) {
        std::memcpy(image->address + row * image->width, source + row * desc.lPitch, image->width);
    }
    UnlockSurface(surface);
    return 1;
}
