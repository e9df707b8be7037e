#pragma once
// The game's surfaces: made in video memory when it can be had, else in system memory; keyed,
// filled, locked, copied and loaded from picture files.

#include "platform/ddraw.h"

LPDIRECTDRAWSURFACE CreateVideoSurface(LONG width, LONG height);
LPDIRECTDRAWSURFACE CreateSystemSurface(LONG width, LONG height);
void LogVideoMemory();
// A video surface of the picture's size, or null when the size cannot be read or the file
// does not hold pixel data enough for it.
LPDIRECTDRAWSURFACE CreateSurfaceForImage(const char* name);
// readResult, when given, receives the chunk reader's result if a surface was made.
LPDIRECTDRAWSURFACE LoadSurface(const char* name, DWORD* readResult = nullptr);
// Same size and memory kind, same pixels, no colour key; null on any failure, and for no source.
LPDIRECTDRAWSURFACE DuplicateSurface(LPDIRECTDRAWSURFACE source);
DWORD SetSurfaceColorKey(LPDIRECTDRAWSURFACE surface, DWORD key);
// Fills the area (the whole surface when none is given) with one palette index.
HRESULT FillSurface(LPDIRECTDRAWSURFACE surface, DWORD colour, RECT* area = nullptr);
// 0 when locked; the record is untouched for a null surface.
HRESULT LockSurface(LPDIRECTDRAWSURFACE surface, DDSURFACEDESC* desc);
HRESULT UnlockSurface(LPDIRECTDRAWSURFACE surface);
// Bits per pixel, or -1 when the record carries no pixel format.
int SurfaceBitDepth(const DDSURFACEDESC& desc);
