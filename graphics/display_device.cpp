// Taking the display: DirectDraw, exclusive mode, the primary surface and its back buffer.

#include "graphics/display_device.h"

#include <cstdint>

#include "platform/user.h"
#include "support/debug_log.h"
#include "support/error_report.h"

LPDIRECTDRAW directDraw = nullptr;

namespace {

constexpr DWORD defaultCooperativeFlags = DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE;

DDSURFACEDESC PrimaryDescription(DWORD backBufferCount)
{
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    if (backBufferCount > 0) {
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = backBufferCount;
    } else {
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    }
    return desc;
}

} // namespace

void InitDisplayDevice(DisplayDevice& device)
{
    device.cooperativeFlags = defaultCooperativeFlags;
    device.hwnd = nullptr;
    device.windowParams.style = WS_POPUP;
    device.windowParams.exStyle = WS_EX_TOPMOST;
    device.windowParams.classStyle = 0;
    device.windowParams.classSuffix = "ddraw1";
}

HRESULT SetupDirectDraw(LPDIRECTDRAWSURFACE* primary, LPDIRECTDRAWSURFACE* back,
                        const DisplayDevice& device)
{
    HRESULT result = DirectDrawCreate(nullptr, &directDraw, nullptr);
    if (!ReportResult("DirectDrawCreate", result)) return result;
    result = directDraw->SetCooperativeLevel(device.hwnd, device.cooperativeFlags);
    if (!ReportResult("SetCooperativeLevel", result)) return result;
    result = directDraw->SetDisplayMode(device.width, device.height, device.bitsPerPixel);
    if (!ReportResult("SetDisplayMode", result)) return result;
    DDSURFACEDESC desc = PrimaryDescription(device.backBufferCount);
    result = directDraw->CreateSurface(&desc, primary, nullptr);
    if (!ReportResult("CreateSurface", result)) return result;
    *back = nullptr;
    if (device.backBufferCount > 0) {
        DDSCAPS caps {DDSCAPS_BACKBUFFER};
        result = (*primary)->GetAttachedSurface(&caps, back);
        if (!ReportResult("GetAttachedSurface", result)) return result;
    }
    return 0;
}

bool StartDisplay(DisplayDevice& device)
{
    ShowCursor(FALSE); // the game draws its own cursor
    LPDIRECTDRAWSURFACE primary = nullptr;
    LPDIRECTDRAWSURFACE back = nullptr;
    if (SetupDirectDraw(&primary, &back, device) != 0) return false;
    LogFilePrintf("lpDDSPrimary at %8x\r\n",
                  static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(primary)));
    device.lpDDSPrimary = primary;
    device.lpDDSBack = back;
    return true;
}

void ReleaseDisplay(DisplayDevice& device)
{
    if (directDraw == nullptr) return;
    // The back buffer belongs to the primary's chain and goes with it.
    if (device.lpDDSPrimary != nullptr) {
        device.lpDDSPrimary->Release();
        device.lpDDSPrimary = nullptr;
        device.lpDDSBack = nullptr;
    }
    DebugLine("DirectDraw Release");
    directDraw->Release();
    directDraw = nullptr;
}
