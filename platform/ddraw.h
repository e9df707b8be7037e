#pragma once
// The display's surface store: DirectDraw's objects, records, flags and result codes, with the
// platform's names and published values. Every surface holds 8-bit palette indices.

#include <vector>

#include "platform/windef.h"
#include "platform/winerror.h"

// ---- Result codes -------------------------------------------------------------------------

inline constexpr DWORD FACILITY_DIRECTDRAW = 0x876;
constexpr HRESULT MAKE_DDHRESULT(DWORD code) { return MAKE_HRESULT(1, FACILITY_DIRECTDRAW, code); }

inline constexpr HRESULT DD_OK = 0;
inline constexpr HRESULT DDERR_GENERIC = E_FAIL;
inline constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
inline constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DDERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DDERR_INVALIDCAPS = MAKE_DDHRESULT(100);
inline constexpr HRESULT DDERR_INVALIDMODE = MAKE_DDHRESULT(120);
inline constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MAKE_DDHRESULT(145);
inline constexpr HRESULT DDERR_INVALIDRECT = MAKE_DDHRESULT(150);
inline constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MAKE_DDHRESULT(212);
inline constexpr HRESULT DDERR_NOCOLORKEY = MAKE_DDHRESULT(215);
inline constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MAKE_DDHRESULT(225);
inline constexpr HRESULT DDERR_NOTFOUND = MAKE_DDHRESULT(255);
inline constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MAKE_DDHRESULT(380);
inline constexpr HRESULT DDERR_SURFACEBUSY = MAKE_DDHRESULT(430);
inline constexpr HRESULT DDERR_WASSTILLDRAWING = MAKE_DDHRESULT(540);
inline constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MAKE_DDHRESULT(564);
inline constexpr HRESULT DDERR_NOPALETTEATTACHED = MAKE_DDHRESULT(572);
inline constexpr HRESULT DDERR_NOTLOCKED = MAKE_DDHRESULT(584);
inline constexpr HRESULT DDERR_NODC = MAKE_DDHRESULT(586);
inline constexpr HRESULT DDERR_DCALREADYCREATED = MAKE_DDHRESULT(620);

// ---- Flags ----------------------------------------------------------------------------------

inline constexpr DWORD DDSCL_FULLSCREEN = 0x1;
inline constexpr DWORD DDSCL_ALLOWREBOOT = 0x2;
inline constexpr DWORD DDSCL_NORMAL = 0x8;
inline constexpr DWORD DDSCL_EXCLUSIVE = 0x10;

inline constexpr DWORD DDSD_CAPS = 0x1;
inline constexpr DWORD DDSD_HEIGHT = 0x2;
inline constexpr DWORD DDSD_WIDTH = 0x4;
inline constexpr DWORD DDSD_PITCH = 0x8;
inline constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;
inline constexpr DWORD DDSD_LPSURFACE = 0x800;
inline constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
inline constexpr DWORD DDSD_CKSRCBLT = 0x10000;

inline constexpr DWORD DDSCAPS_BACKBUFFER = 0x4;
inline constexpr DWORD DDSCAPS_COMPLEX = 0x8;
inline constexpr DWORD DDSCAPS_FLIP = 0x10;
inline constexpr DWORD DDSCAPS_FRONTBUFFER = 0x20;
inline constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
inline constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
inline constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
inline constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x4000;
inline constexpr DWORD DDSCAPS_VISIBLE = 0x8000;
inline constexpr DWORD DDSCAPS_LOCALVIDMEM = 0x10000000;

inline constexpr DWORD DDPF_PALETTEINDEXED8 = 0x20;
inline constexpr DWORD DDPF_RGB = 0x40;

inline constexpr DWORD DDCKEY_SRCBLT = 0x8;

inline constexpr DWORD DDBLT_COLORFILL = 0x400;
inline constexpr DWORD DDBLT_KEYSRC = 0x8000;
inline constexpr DWORD DDBLT_WAIT = 0x1000000;

inline constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x0;
inline constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x1;
inline constexpr DWORD DDBLTFAST_WAIT = 0x10;

inline constexpr DWORD DDLOCK_WAIT = 0x1;

inline constexpr DWORD DDPCAPS_8BIT = 0x4;
inline constexpr DWORD DDPCAPS_ALLOW256 = 0x40;

inline constexpr DWORD DDCAPS_BLT = 0x40;
inline constexpr DWORD DDCAPS_BLTSTRETCH = 0x200;
inline constexpr DWORD DDCAPS_PALETTE = 0x8000;
inline constexpr DWORD DDCAPS_COLORKEY = 0x400000;
inline constexpr DWORD DDCAPS_BLTCOLORFILL = 0x4000000;
inline constexpr DWORD DDCKEYCAPS_SRCBLT = 0x200;

// ---- Records --------------------------------------------------------------------------------

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDSCAPS {
    DWORD dwCaps;
};

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct IDirectDraw;
struct IDirectDrawSurface;
struct IDirectDrawPalette;
using LPDIRECTDRAW = IDirectDraw*;
using LPDIRECTDRAWSURFACE = IDirectDrawSurface*;
using LPDIRECTDRAWPALETTE = IDirectDrawPalette*;
struct GUID;
struct IUnknown;

// dwSize carries the record's size on the original 32-bit platform (DDSURFACEDESC_SIZE); here
// the pixel pointer makes the record itself a little larger, and every call checks dwSize.
inline constexpr DWORD DDSURFACEDESC_SIZE = 108;
struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};

// The driver's capabilities; of the many counters only these are filled.
inline constexpr DWORD DDCAPS_SIZE = 380;
struct DDCAPS {
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCKeyCaps;
    DWORD dwFXCaps;
    DWORD dwFXAlphaCaps;
    DWORD dwPalCaps;
    DWORD dwSVCaps;
    DWORD dwAlphaDepths[6];
    DWORD dwZBufferBitDepths;
    DWORD dwVidMemTotal;
    DWORD dwVidMemFree;
    DWORD dwReserved[78];
};
static_assert(sizeof(DDCAPS) == DDCAPS_SIZE);

// Blit effects; the fill colour is the one field read here. The pointer members of the
// platform's unions are left out, which keeps the record at its 32-bit size.
inline constexpr DWORD DDBLTFX_SIZE = 100;
struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    DWORD dwZDestConst;
    DWORD dwZSrcConstBitDepth;
    DWORD dwZSrcConst;
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    DWORD dwAlphaDestConst;
    DWORD dwAlphaSrcConstBitDepth;
    DWORD dwAlphaSrcConst;
    DWORD dwFillColor;
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};
static_assert(sizeof(DDBLTFX) == DDBLTFX_SIZE);

// ---- Objects --------------------------------------------------------------------------------
// Plain objects with the interfaces' methods; each is created by the store and lives until its
// last reference is released.

struct IDirectDrawPalette {
    ULONG AddRef();
    ULONG Release();
    HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries);

protected:
    IDirectDrawPalette() = default;
};

struct IDirectDrawSurface {
    ULONG AddRef();
    ULONG Release();
    HRESULT GetSurfaceDesc(DDSURFACEDESC* desc);
    HRESULT GetAttachedSurface(DDSCAPS* caps, LPDIRECTDRAWSURFACE* attached);
    HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE event);
    HRESULT Unlock(LPVOID pixels);
    // Both blits clip to this surface: the part of the target rectangle outside it is skipped.
    HRESULT BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source, RECT* sourceRect, DWORD trans);
    HRESULT Blt(RECT* destRect, LPDIRECTDRAWSURFACE source, RECT* sourceRect, DWORD flags,
                DDBLTFX* fx);
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key);
    HRESULT SetPalette(LPDIRECTDRAWPALETTE palette);
    HRESULT GetPalette(LPDIRECTDRAWPALETTE* palette);
    HRESULT GetDC(HDC* dc);
    HRESULT ReleaseDC(HDC dc);

protected:
    IDirectDrawSurface() = default;
};

struct IDirectDraw {
    ULONG AddRef();
    // The last release also frees every surface and palette still made on this object.
    ULONG Release();
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel);
    HRESULT CreateSurface(DDSURFACEDESC* desc, LPDIRECTDRAWSURFACE* surface, IUnknown* outer);
    HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, LPDIRECTDRAWPALETTE* palette,
                          IUnknown* outer);
    HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* helCaps);
    // Makes the surface the desktop draws on visible; the primary always is, as nothing flips.
    HRESULT FlipToGDISurface();

protected:
    IDirectDraw() = default;
};

HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);

// ---- Port-only extras -----------------------------------------------------------------------

namespace platform {

inline constexpr DWORD DEFAULT_VIDEO_MEMORY = 8 * 1024 * 1024;

// The modelled amount of video memory (bytes); surfaces made from now on count against it.
void SetVideoMemory(DWORD bytes);

// What the display shows: the primary surface's pixels and the primary's palette (null before
// one is attached).
struct DisplayView {
    const BYTE* pixels;
    LONG pitch;
    DWORD width;
    DWORD height;
    const PALETTEENTRY* palette;
};
// False while no primary surface exists.
bool GetDisplayView(DisplayView* view);

// What was written on the primary surface since the changes were last taken: rectangles clipped
// to it (blits, colour fills, locks, device contexts), or everything (a palette, a new primary).
struct DisplayChanges {
    bool everything = false;
    std::vector<RECT> rects;
};
bool DisplayHasChanges();
// Hands the changes over and starts collecting afresh; changes keeps its storage for next time.
void TakeDisplayChanges(DisplayChanges& changes);

} // namespace platform
