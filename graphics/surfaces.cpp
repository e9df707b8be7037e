// Surfaces: video memory first, system memory as the logged fallback.

#include "graphics/surfaces.h"

#include "graphics/display_device.h"
#include "graphics/image_reader.h"
#include "graphics/row_decoders.h"
#include "support/debug_log.h"
#include "support/error_report.h"

namespace {

constexpr DWORD sizeFields = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
constexpr DWORD videoSurfaceCaps = DDSCAPS_OFFSCREENPLAIN;
constexpr DWORD systemSurfaceCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;

HRESULT MakeSurface(LONG width, LONG height, DWORD caps, LPDIRECTDRAWSURFACE* surface)
{
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    desc.dwFlags = sizeFields;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = caps;
    *surface = nullptr;
    return directDraw->CreateSurface(&desc, surface, nullptr);
}

} // namespace

LPDIRECTDRAWSURFACE CreateSystemSurface(LONG width, LONG height)
{
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (!ReportResult("CreateSurface", MakeSurface(width, height, systemSurfaceCaps, &surface)))
        return nullptr;
    return surface;
}

LPDIRECTDRAWSURFACE CreateVideoSurface(LONG width, LONG height)
{
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (ReportResult(nullptr, MakeSurface(width, height, videoSurfaceCaps, &surface)))
        return surface;
    LogVideoMemory();
    LogFilePrintf(": Impossibile creare %d x %d Video Surface: ", width, height);
    return CreateSystemSurface(width, height);
}

void LogVideoMemory()
{
    DDCAPS caps {};
    caps.dwSize = DDCAPS_SIZE;
    directDraw->GetCaps(&caps, nullptr);
    DebugPrintf("Video Memory %u/%u ", caps.dwVidMemFree, caps.dwVidMemTotal);
}

LPDIRECTDRAWSURFACE CreateSurfaceForImage(const char* name)
{
    DWORD width = 0;
    DWORD height = 0;
    BYTE depth = 0;
    DWORD pixelData = 0;
    if (ReadImageExtent(name, &width, &height, &depth, &pixelData) != 0) return nullptr;
    // A size field no pixel data could fill makes no surface: a damaged file asks for nothing
    // larger than what it holds.
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>((depth + 7u) / 8u) * width * height;
    if (pixelBytes > static_cast<std::uint64_t>(pixelData) * MAX_UNPACK_RATIO) return nullptr;
    return CreateVideoSurface(static_cast<LONG>(width), static_cast<LONG>(height));
}

LPDIRECTDRAWSURFACE LoadSurface(const char* name, DWORD* readResult)
{
    LPDIRECTDRAWSURFACE surface = CreateSurfaceForImage(name);
    if (surface == nullptr) {
        DebugPrintf("LoadSurface[%s]::impossibile creare la superficie\n", name);
        return nullptr;
    }
    const DWORD result = ReadImageFileResult(surface, name);
    if (readResult != nullptr) *readResult = result;
    return surface;
}

LPDIRECTDRAWSURFACE DuplicateSurface(LPDIRECTDRAWSURFACE source)
{
    // A picture that failed to load has nothing to copy.
    if (source == nullptr) return nullptr;
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    if (source->GetSurfaceDesc(&desc) != DD_OK) return nullptr;
    desc.dwFlags = sizeFields; // the colour key and the rest are dropped
    LPDIRECTDRAWSURFACE copy = nullptr;
    if (directDraw->CreateSurface(&desc, &copy, nullptr) != DD_OK) return nullptr;
    copy->BltFast(0, 0, source, nullptr, DDBLTFAST_WAIT);
    return copy;
}

DWORD SetSurfaceColorKey(LPDIRECTDRAWSURFACE surface, DWORD key)
{
    // A picture that failed to load has no surface to key.
    if (surface == nullptr) return 0;
    DDCOLORKEY range {key, key};
    surface->SetColorKey(DDCKEY_SRCBLT, &range);
    return 0;
}

HRESULT FillSurface(LPDIRECTDRAWSURFACE surface, DWORD colour, RECT* area)
{
    DDBLTFX fx {};
    fx.dwSize = DDBLTFX_SIZE;
    fx.dwFillColor = colour;
    return surface->Blt(area, nullptr, nullptr, DDBLT_COLORFILL, &fx);
}

HRESULT LockSurface(LPDIRECTDRAWSURFACE surface, DDSURFACEDESC* desc)
{
    if (surface == nullptr) {
        DebugLine("Surface not initialized");
        return DDERR_INVALIDPARAMS;
    }
    *desc = DDSURFACEDESC {};
    desc->dwSize = DDSURFACEDESC_SIZE;
    const HRESULT result = surface->Lock(nullptr, desc, DDLOCK_WAIT, nullptr);
    ReportResult("Lock", result);
    return result;
}

HRESULT UnlockSurface(LPDIRECTDRAWSURFACE surface)
{
    if (surface == nullptr) {
        LogFileLine("ERRORE: Surface non inizializzata");
        return 0;
    }
    const HRESULT result = surface->Unlock(nullptr);
    ReportResult("Unlock", result);
    return result;
}

int SurfaceBitDepth(const DDSURFACEDESC& desc)
{
    if (!(desc.dwFlags & DDSD_PIXELFORMAT)) return -1;
    return static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount);
}
