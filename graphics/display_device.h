#pragma once
// The display device: the game's window parameters and its exclusive 640 x 480 x 8 display with
// the primary surface and its back buffer.

#include "platform/ddraw.h"
#include "platform/windef.h"

struct WindowParams {
    HINSTANCE instance;
    DWORD style;
    DWORD exStyle;
    DWORD classStyle;
    LPCSTR icon;
    LPCSTR title;
    LPCSTR classSuffix;
    LPCSTR menuName;
    WNDPROC windowProc;
};

struct DisplayDevice {
    HWND hwnd;
    DWORD width;
    DWORD height;
    DWORD bitsPerPixel;
    DWORD cooperativeFlags;
    DWORD backBufferCount;
    WindowParams windowParams;
    LPDIRECTDRAWSURFACE lpDDSPrimary;
    LPDIRECTDRAWSURFACE lpDDSBack;
};

// The one DirectDraw object every surface and palette is made on; null while no display runs.
extern LPDIRECTDRAW directDraw;

void InitDisplayDevice(DisplayDevice& device);
// True when DirectDraw, the display mode and the surfaces are ready; the pointer is hidden
// either way.
bool StartDisplay(DisplayDevice& device);
// 0, or the result of the step that failed (already reported).
HRESULT SetupDirectDraw(LPDIRECTDRAWSURFACE* primary, LPDIRECTDRAWSURFACE* back,
                        const DisplayDevice& device);
void ReleaseDisplay(DisplayDevice& device);
