// A surface's own state: references, description, locks, colour key, palette, device context.

#include "platform/ddraw/store.h"
#include "platform/fault.h"

using namespace platform::ddraw;

namespace {

constexpr DWORD describedFields =
    DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;

void Describe(const SurfaceObject& surface, DDSURFACEDESC* desc)
{
    *desc = DDSURFACEDESC {};
    desc->dwSize = DDSURFACEDESC_SIZE;
    desc->dwFlags = describedFields | (surface.hasSourceKey ? DDSD_CKSRCBLT : 0);
    desc->dwWidth = surface.width;
    desc->dwHeight = surface.height;
    desc->lPitch = surface.pitch;
    desc->ddckCKSrcBlt = surface.sourceKey;
    desc->ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    desc->ddpfPixelFormat.dwFlags = DDPF_PALETTEINDEXED8 | DDPF_RGB;
    desc->ddpfPixelFormat.dwRGBBitCount = 8;
    desc->ddsCaps.dwCaps = surface.caps;
}

bool IsWithin(const RECT& rect, const SurfaceObject& surface)
{
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom
           && static_cast<DWORD>(rect.right) <= surface.width
           && static_cast<DWORD>(rect.bottom) <= surface.height;
}

// The palette a device context maps colours through: the surface's, else the display's.
const PALETTEENTRY* PaletteSeenBy(const SurfaceObject& surface)
{
    if (surface.palette != nullptr) return surface.palette->entries.data();
    const SurfaceObject* primary = TheDisplay().primary;
    if (primary != nullptr && primary->palette != nullptr) return primary->palette->entries.data();
    return nullptr;
}

} // namespace

ULONG IDirectDrawSurface::AddRef() { return ++Object(this)->refs; }

ULONG IDirectDrawSurface::Release()
{
    SurfaceObject* self = Object(this);
    if (self->refs > 0) --self->refs;
    // A back buffer belongs to its primary's chain and goes only with it.
    if (self->refs > 0 || self->chainOwner != nullptr) return self->refs;
    DestroySurface(self);
    return 0;
}

HRESULT IDirectDrawSurface::GetSurfaceDesc(DDSURFACEDESC* desc)
{
    if (const HRESULT failure = platform::InjectedFailure("GetSurfaceDesc")) return failure;
    if (desc == nullptr || desc->dwSize != DDSURFACEDESC_SIZE) return DDERR_INVALIDPARAMS;
    Describe(*Object(this), desc);
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetAttachedSurface(DDSCAPS* caps, LPDIRECTDRAWSURFACE* attached)
{
    if (attached == nullptr || caps == nullptr) return DDERR_INVALIDPARAMS;
    *attached = nullptr;
    if (const HRESULT failure = platform::InjectedFailure("GetAttachedSurface")) return failure;
    SurfaceObject* back = Object(this)->backBuffer;
    if (back == nullptr || (back->caps & caps->dwCaps) != caps->dwCaps) return DDERR_NOTFOUND;
    back->AddRef();
    *attached = back;
    return DD_OK;
}

HRESULT IDirectDrawSurface::Lock(RECT* rect, DDSURFACEDESC* desc, DWORD, HANDLE)
{
    if (const HRESULT failure = platform::InjectedFailure("Lock")) return failure;
    SurfaceObject* self = Object(this);
    if (desc == nullptr || desc->dwSize != DDSURFACEDESC_SIZE) return DDERR_INVALIDPARAMS;
    if (rect != nullptr && !IsWithin(*rect, *self)) return DDERR_INVALIDRECT;
    if (self->Busy()) return DDERR_SURFACEBUSY;
    self->locked = true;
    self->lockedArea = rect != nullptr ? *rect : self->Whole();
    Describe(*self, desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = rect == nullptr ? self->Row(0) : self->Row(rect->top) + rect->left;
    return DD_OK;
}

HRESULT IDirectDrawSurface::Unlock(LPVOID)
{
    if (const HRESULT failure = platform::InjectedFailure("Unlock")) return failure;
    SurfaceObject* self = Object(this);
    if (!self->locked) return DDERR_NOTLOCKED;
    self->locked = false;
    NoteChange(self, self->lockedArea);
    return DD_OK;
}

// Only source blit keys exist on this display; a null key removes the surface's key.
HRESULT IDirectDrawSurface::SetColorKey(DWORD flags, DDCOLORKEY* key)
{
    if (const HRESULT failure = platform::InjectedFailure("SetColorKey")) return failure;
    if (flags != DDCKEY_SRCBLT) return DDERR_UNSUPPORTED;
    SurfaceObject* self = Object(this);
    self->hasSourceKey = key != nullptr;
    self->sourceKey = key != nullptr ? *key : DDCOLORKEY {};
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetColorKey(DWORD flags, DDCOLORKEY* key)
{
    if (flags != DDCKEY_SRCBLT || key == nullptr) return DDERR_INVALIDPARAMS;
    const SurfaceObject* self = Object(this);
    if (!self->hasSourceKey) return DDERR_NOCOLORKEY;
    *key = self->sourceKey;
    return DD_OK;
}

HRESULT IDirectDrawSurface::SetPalette(LPDIRECTDRAWPALETTE palette)
{
    if (const HRESULT failure = platform::InjectedFailure("SetPalette")) return failure;
    SurfaceObject* self = Object(this);
    if (palette != nullptr) palette->AddRef();
    if (self->palette != nullptr) self->palette->Release();
    self->palette = palette != nullptr ? Object(palette) : nullptr;
    if (self == TheDisplay().primary) NoteWholeChange();
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetPalette(LPDIRECTDRAWPALETTE* palette)
{
    if (palette == nullptr) return DDERR_INVALIDPARAMS;
    *palette = Object(this)->palette;
    if (*palette == nullptr) return DDERR_NOPALETTEATTACHED;
    (*palette)->AddRef();
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetDC(HDC* dc)
{
    if (dc == nullptr) return DDERR_INVALIDPARAMS;
    *dc = nullptr;
    if (const HRESULT failure = platform::InjectedFailure("GetDC")) return failure;
    SurfaceObject* self = Object(this);
    if (self->dc != nullptr) return DDERR_DCALREADYCREATED;
    if (self->locked) return DDERR_SURFACEBUSY;
    self->dc.reset(
        new HDC__ {self->Row(0), self->pitch, self->width, self->height, PaletteSeenBy(*self)});
    *dc = self->dc.get();
    return DD_OK;
}

HRESULT IDirectDrawSurface::ReleaseDC(HDC dc)
{
    if (const HRESULT failure = platform::InjectedFailure("ReleaseDC")) return failure;
    SurfaceObject* self = Object(this);
    if (dc == nullptr || dc != self->dc.get()) return DDERR_NODC;
    NoteChange(self, self->dc->drawn);
    self->dc.reset();
    return DD_OK;
}
