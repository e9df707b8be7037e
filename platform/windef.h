#pragma once
// The platform's basic types, spelled as the game's code expects them.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using BOOL = std::int32_t;
using HRESULT = std::int32_t;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPDWORD = DWORD*;
using HANDLE = void*;
using HLOCAL = void*;
using HINSTANCE = void*;

// A 24-bit colour: red in the low byte, then green, then blue.
using COLORREF = DWORD;

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue)
{
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8)
           | (static_cast<COLORREF>(blue) << 16);
}

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// One palette colour: red, green, blue and the platform's flags byte.
struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

// Handles of windows and device contexts: opaque, only ever compared and passed on.
struct HWND__;
using HWND = HWND__*;
struct HDC__;
using HDC = HDC__*;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A rectangle: right and bottom lie just outside it.
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
