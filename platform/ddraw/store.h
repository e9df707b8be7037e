#pragma once
// The objects behind the DirectDraw interfaces, and the one display they all share.

#include <array>
#include <memory>
#include <vector>

#include "platform/ddraw.h"
#include "platform/gdi/device_context.h"
#include "platform/screen.h"

namespace platform::ddraw {

struct DirectDrawObject;

struct PaletteObject : IDirectDrawPalette {
    ULONG refs = 1;
    DirectDrawObject* owner = nullptr;
    std::array<PALETTEENTRY, 256> entries {};
};

struct SurfaceObject : IDirectDrawSurface {
    ULONG refs = 1;
    DirectDrawObject* owner = nullptr;
    DWORD caps = 0; // as GetSurfaceDesc reports them, memory kind included
    DWORD width = 0;
    DWORD height = 0;
    LONG pitch = 0;
    DWORD videoBytes = 0; // what the surface takes from the video memory budget
    std::unique_ptr<BYTE[]> pixels;
    bool locked = false;
    RECT lockedArea {}; // what the open lock may write
    bool hasSourceKey = false;
    DDCOLORKEY sourceKey {};
    PaletteObject* palette = nullptr;
    SurfaceObject* backBuffer = nullptr; // a primary's attached back buffer
    SurfaceObject* chainOwner = nullptr; // a back buffer's primary, which frees it
    std::unique_ptr<HDC__> dc;

    RECT Whole() const { return {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)}; }
    BYTE* Row(DWORD y) const { return pixels.get() + static_cast<std::size_t>(y) * pitch; }
    bool Busy() const { return locked || dc != nullptr; }
};

struct DirectDrawObject : IDirectDraw {
    ULONG refs = 1;
    std::vector<SurfaceObject*> surfaces;
    std::vector<PaletteObject*> palettes;
};

// The one display: its cooperative level and mode, the video memory budget, the primary.
struct Display {
    bool cooperativeSet = false;
    DWORD cooperativeFlags = 0;
    DWORD width = SCREEN_WIDTH;
    DWORD height = SCREEN_HEIGHT;
    DWORD videoTotal = DEFAULT_VIDEO_MEMORY;
    DWORD videoUsed = 0;
    SurfaceObject* primary = nullptr;
    DisplayChanges changes;
};
Display& TheDisplay();

inline SurfaceObject* Object(IDirectDrawSurface* surface)
{
    return static_cast<SurfaceObject*>(surface);
}
inline PaletteObject* Object(IDirectDrawPalette* palette)
{
    return static_cast<PaletteObject*>(palette);
}
inline DirectDrawObject* Object(IDirectDraw* directDraw)
{
    return static_cast<DirectDrawObject*>(directDraw);
}

// Row stride: the next multiple of 64 above the width, so a pitch is never the width.
inline LONG PitchFor(DWORD width) { return static_cast<LONG>((width / 64 + 1) * 64); }

// A write to area of a surface: on the primary, the presenter sends that area anew.
void NoteChange(const SurfaceObject* surface, const RECT& area);
// The whole display looks different (its palette, a new primary).
void NoteWholeChange();

// The video memory budget: TakeVideoMemory is false when the budget cannot cover bytes.
bool TakeVideoMemory(DWORD bytes);
void GiveVideoMemory(DWORD bytes);

// Frees the surface (a primary with its back buffers) and gives back what it held.
void DestroySurface(SurfaceObject* surface);
void DestroyPalette(PaletteObject* palette);

} // namespace platform::ddraw
