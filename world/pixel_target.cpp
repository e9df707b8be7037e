#include "world/pixel_target.h"

#include "graphics/surfaces.h"

PixelTarget LockPixels(LPDIRECTDRAWSURFACE surface)
{
    DDSURFACEDESC desc {};
    if (LockSurface(surface, &desc) != DD_OK || desc.lpSurface == nullptr) return {};
    return {static_cast<BYTE*>(desc.lpSurface), desc.lPitch, desc.dwWidth, desc.dwHeight};
}

void UnlockPixels(LPDIRECTDRAWSURFACE surface, const PixelTarget& target)
{
    if (target.pixels != nullptr) UnlockSurface(surface);
}
