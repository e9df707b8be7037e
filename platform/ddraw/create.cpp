// Making and freeing surfaces and palettes: the primary with its back buffers, off-screen
// surfaces in video memory (while the budget lasts) or system memory.

#include <algorithm>
#include <new>

#include "platform/ddraw/store.h"
#include "platform/fault.h"

namespace platform::ddraw {
namespace {

// No single system-memory surface is larger than this; bigger requests are refused as the
// platform refuses an allocation it cannot make.
constexpr std::uint64_t systemSurfaceLimit = 256u * 1024 * 1024;

constexpr DWORD videoCaps = DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;

void Forget(std::vector<SurfaceObject*>& list, SurfaceObject* surface)
{
    list.erase(std::remove(list.begin(), list.end(), surface), list.end());
}

// A surface of the given size with its pixels, or the platform's refusal in result.
SurfaceObject* NewSurface(DirectDrawObject* owner, DWORD width, DWORD height, DWORD caps,
                          HRESULT* result)
{
    const LONG pitch = PitchFor(width);
    const std::uint64_t bytes = static_cast<std::uint64_t>(pitch) * height;
    const bool video = (caps & DDSCAPS_VIDEOMEMORY) != 0;
    if (!video && bytes > systemSurfaceLimit) {
        *result = DDERR_OUTOFMEMORY;
        return nullptr;
    }
    if (video && (bytes > 0xFFFFFFFFu || !TakeVideoMemory(static_cast<DWORD>(bytes)))) {
        *result = DDERR_OUTOFVIDEOMEMORY;
        return nullptr;
    }
    auto* surface = new SurfaceObject;
    surface->pixels.reset(new (std::nothrow) BYTE[bytes]());
    if (surface->pixels == nullptr) {
        if (video) GiveVideoMemory(static_cast<DWORD>(bytes));
        delete surface;
        *result = DDERR_OUTOFMEMORY;
        return nullptr;
    }
    surface->owner = owner;
    surface->caps = caps;
    surface->width = width;
    surface->height = height;
    surface->pitch = pitch;
    surface->videoBytes = video ? static_cast<DWORD>(bytes) : 0;
    owner->surfaces.push_back(surface);
    *result = DD_OK;
    return surface;
}

HRESULT CreatePrimary(DirectDrawObject* owner, const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE* out)
{
    Display& display = TheDisplay();
    if (!display.cooperativeSet) return DDERR_NOCOOPERATIVELEVELSET;
    if (display.primary != nullptr) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    const DWORD caps = desc.ddsCaps.dwCaps;
    const DWORD count = (desc.dwFlags & DDSD_BACKBUFFERCOUNT) ? desc.dwBackBufferCount : 0;
    const bool flipping = (caps & DDSCAPS_FLIP) != 0;
    if (flipping != (count > 0) || (flipping && !(caps & DDSCAPS_COMPLEX)))
        return DDERR_INVALIDCAPS;
    const DWORD chainCaps = flipping ? DDSCAPS_FLIP | DDSCAPS_COMPLEX : 0;
    HRESULT result = DD_OK;
    SurfaceObject* primary = NewSurface(owner, display.width, display.height,
                                        DDSCAPS_PRIMARYSURFACE | DDSCAPS_VISIBLE | videoCaps
                                            | chainCaps | (flipping ? DDSCAPS_FRONTBUFFER : 0),
                                        &result);
    if (primary == nullptr) return result;
    SurfaceObject* last = primary;
    for (DWORD i = 0; i < count; ++i) {
        SurfaceObject* back = NewSurface(owner, display.width, display.height,
                                         DDSCAPS_BACKBUFFER | videoCaps | chainCaps, &result);
        if (back == nullptr) {
            DestroySurface(primary);
            return result;
        }
        back->chainOwner = primary;
        last->backBuffer = back;
        last = back;
    }
    display.primary = primary;
    NoteWholeChange();
    *out = primary;
    return DD_OK;
}

HRESULT CreateOffscreen(DirectDrawObject* owner, const DDSURFACEDESC& desc,
                        LPDIRECTDRAWSURFACE* out)
{
    constexpr DWORD size = DDSD_WIDTH | DDSD_HEIGHT;
    if ((desc.dwFlags & size) != size || desc.dwWidth == 0 || desc.dwHeight == 0)
        return DDERR_INVALIDPARAMS;
    DWORD caps = (desc.dwFlags & DDSD_CAPS) ? desc.ddsCaps.dwCaps : 0;
    const bool system = (caps & DDSCAPS_SYSTEMMEMORY) != 0;
    if ((caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_BACKBUFFER | DDSCAPS_FRONTBUFFER))
        || (system && (caps & DDSCAPS_VIDEOMEMORY)))
        return DDERR_INVALIDCAPS;
    if ((desc.dwFlags & DDSD_PIXELFORMAT) && desc.ddpfPixelFormat.dwRGBBitCount != 8)
        return DDERR_INVALIDPIXELFORMAT;
    caps = DDSCAPS_OFFSCREENPLAIN | (system ? DDSCAPS_SYSTEMMEMORY : videoCaps);
    HRESULT result = DD_OK;
    SurfaceObject* surface = NewSurface(owner, desc.dwWidth, desc.dwHeight, caps, &result);
    if (surface == nullptr) return result;
    if (desc.dwFlags & DDSD_CKSRCBLT) {
        surface->hasSourceKey = true;
        surface->sourceKey = desc.ddckCKSrcBlt;
    }
    *out = surface;
    return DD_OK;
}

} // namespace

void DestroySurface(SurfaceObject* surface)
{
    if (surface->backBuffer != nullptr) DestroySurface(surface->backBuffer);
    if (surface->palette != nullptr) surface->palette->Release();
    GiveVideoMemory(surface->videoBytes);
    if (TheDisplay().primary == surface) {
        TheDisplay().primary = nullptr;
        NoteWholeChange();
    }
    Forget(surface->owner->surfaces, surface);
    delete surface;
}

void DestroyPalette(PaletteObject* palette)
{
    auto& list = palette->owner->palettes;
    list.erase(std::remove(list.begin(), list.end(), palette), list.end());
    delete palette;
}

} // namespace platform::ddraw

using namespace platform::ddraw;

HRESULT IDirectDraw::CreateSurface(DDSURFACEDESC* desc, LPDIRECTDRAWSURFACE* surface, IUnknown*)
{
    if (surface == nullptr) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (const HRESULT failure = platform::InjectedFailure("CreateSurface")) return failure;
    if (desc == nullptr || desc->dwSize != DDSURFACEDESC_SIZE) return DDERR_INVALIDPARAMS;
    const bool primary =
        (desc->dwFlags & DDSD_CAPS) && (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE);
    return primary ? CreatePrimary(Object(this), *desc, surface)
                   : CreateOffscreen(Object(this), *desc, surface);
}

HRESULT IDirectDraw::CreatePalette(DWORD flags, PALETTEENTRY* entries, LPDIRECTDRAWPALETTE* palette,
                                   IUnknown*)
{
    if (palette == nullptr) return DDERR_INVALIDPARAMS;
    *palette = nullptr;
    if (const HRESULT failure = platform::InjectedFailure("CreatePalette")) return failure;
    // Every palette of this display has 256 entries of 8-bit colour indices.
    if (entries == nullptr || !(flags & DDPCAPS_8BIT)) return DDERR_INVALIDPARAMS;
    auto* made = new PaletteObject;
    made->owner = Object(this);
    std::copy(entries, entries + 256, made->entries.begin());
    Object(this)->palettes.push_back(made);
    *palette = made;
    return DD_OK;
}

ULONG IDirectDrawPalette::AddRef() { return ++Object(this)->refs; }

ULONG IDirectDrawPalette::Release()
{
    PaletteObject* self = Object(this);
    if (--self->refs > 0) return self->refs;
    DestroyPalette(self);
    return 0;
}

HRESULT IDirectDrawPalette::GetEntries(DWORD, DWORD base, DWORD count, PALETTEENTRY* entries)
{
    if (entries == nullptr || base > 256 || count > 256 - base) return DDERR_INVALIDPARAMS;
    const auto& own = Object(this)->entries;
    std::copy(own.begin() + base, own.begin() + base + count, entries);
    return DD_OK;
}
