// The DirectDraw object: cooperative level, display mode, capabilities, and the display that
// every object shares.

#include <algorithm>

#include "platform/ddraw/store.h"
#include "platform/fault.h"
#include "platform/screen.h"

namespace platform::ddraw {

Display& TheDisplay()
{
    static Display display;
    return display;
}

namespace {

DWORD VideoMemoryFree()
{
    const Display& display = TheDisplay();
    return display.videoUsed < display.videoTotal ? display.videoTotal - display.videoUsed : 0;
}

// Leaving the display gives the desktop back its own mode.
void LeaveDisplay()
{
    Display& display = TheDisplay();
    display.cooperativeSet = false;
    display.cooperativeFlags = 0;
    display.width = SCREEN_WIDTH;
    display.height = SCREEN_HEIGHT;
}

bool IsExclusiveFullScreen(DWORD flags)
{
    return (flags & DDSCL_EXCLUSIVE) && (flags & DDSCL_FULLSCREEN);
}

} // namespace

} // namespace platform::ddraw

using namespace platform::ddraw;

HRESULT DirectDrawCreate(GUID*, LPDIRECTDRAW* directDraw, IUnknown*)
{
    if (directDraw == nullptr) return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (const HRESULT failure = platform::InjectedFailure("DirectDrawCreate")) return failure;
    *directDraw = new DirectDrawObject;
    return DD_OK;
}

ULONG IDirectDraw::AddRef() { return ++Object(this)->refs; }

ULONG IDirectDraw::Release()
{
    DirectDrawObject* self = Object(this);
    if (--self->refs > 0) return self->refs;
    // Surfaces first: they give their palettes back as they go.
    while (!self->surfaces.empty()) {
        SurfaceObject* surface = self->surfaces.back();
        DestroySurface(surface->chainOwner != nullptr ? surface->chainOwner : surface);
    }
    while (!self->palettes.empty()) DestroyPalette(self->palettes.back());
    LeaveDisplay();
    delete self;
    return 0;
}

HRESULT IDirectDraw::SetCooperativeLevel(HWND, DWORD flags)
{
    if (const HRESULT failure = platform::InjectedFailure("SetCooperativeLevel")) return failure;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    const bool normal = (flags & DDSCL_NORMAL) != 0;
    if (exclusive == normal || (exclusive && !(flags & DDSCL_FULLSCREEN)))
        return DDERR_INVALIDPARAMS;
    Display& display = TheDisplay();
    display.cooperativeSet = true;
    display.cooperativeFlags = flags;
    return DD_OK;
}

HRESULT IDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel)
{
    if (const HRESULT failure = platform::InjectedFailure("SetDisplayMode")) return failure;
    Display& display = TheDisplay();
    if (!display.cooperativeSet || !IsExclusiveFullScreen(display.cooperativeFlags))
        return DDERR_NOEXCLUSIVEMODE;
    // The display shows palette indices only, at the sizes a screen of the time offered.
    if (bitsPerPixel != 8 || width == 0 || height == 0 || width > 2048 || height > 2048)
        return DDERR_INVALIDMODE;
    display.width = width;
    display.height = height;
    return DD_OK;
}

HRESULT IDirectDraw::FlipToGDISurface()
{
    if (const HRESULT failure = platform::InjectedFailure("FlipToGDISurface")) return failure;
    return DD_OK;
}

HRESULT IDirectDraw::GetCaps(DDCAPS* driverCaps, DDCAPS* helCaps)
{
    if (const HRESULT failure = platform::InjectedFailure("GetCaps")) return failure;
    if (driverCaps == nullptr && helCaps == nullptr) return DDERR_INVALIDPARAMS;
    for (DDCAPS* caps : {driverCaps, helCaps}) {
        if (caps != nullptr && caps->dwSize != DDCAPS_SIZE) return DDERR_INVALIDPARAMS;
    }
    for (DDCAPS* caps : {driverCaps, helCaps}) {
        if (caps == nullptr) continue;
        *caps = DDCAPS {};
        caps->dwSize = DDCAPS_SIZE;
        caps->dwCaps =
            DDCAPS_BLT | DDCAPS_BLTSTRETCH | DDCAPS_PALETTE | DDCAPS_COLORKEY | DDCAPS_BLTCOLORFILL;
        caps->dwCKeyCaps = DDCKEYCAPS_SRCBLT;
    }
    if (driverCaps != nullptr) {
        driverCaps->dwVidMemTotal = TheDisplay().videoTotal;
        driverCaps->dwVidMemFree = VideoMemoryFree();
    }
    return DD_OK;
}

namespace platform {

void SetVideoMemory(DWORD bytes) { TheDisplay().videoTotal = bytes; }

bool GetDisplayView(DisplayView* view)
{
    const Display& display = TheDisplay();
    const SurfaceObject* primary = display.primary;
    if (primary == nullptr) return false;
    view->pixels = primary->pixels.get();
    view->pitch = primary->pitch;
    view->width = primary->width;
    view->height = primary->height;
    view->palette = primary->palette != nullptr ? primary->palette->entries.data() : nullptr;
    return true;
}

namespace ddraw {

// Takes bytes from the video memory budget; false when it is spent.
bool TakeVideoMemory(DWORD bytes)
{
    if (bytes > VideoMemoryFree()) return false;
    TheDisplay().videoUsed += bytes;
    return true;
}

void GiveVideoMemory(DWORD bytes)
{
    TheDisplay().videoUsed -= std::min(bytes, TheDisplay().videoUsed);
}

} // namespace ddraw
} // namespace platform
