#pragma once
// The platform's graphics device interface, as the game uses it: fonts matched from the
// installed ones, text drawn on a surface's device context, rectangles filled with a brush.

#include "platform/user.h"

using HGDIOBJ = void*;
struct HFONT__;
using HFONT = HFONT__*;

struct SIZE {
    LONG cx;
    LONG cy;
};

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
    LONG lfHeight; // above 0: the cell height in pixels
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};

inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE OUT_STRING_PRECIS = 1;
inline constexpr BYTE CLIP_STROKE_PRECIS = 2;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_SWISS = 0x20;

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int SYSTEM_FONT = 13;

// The installed face closest to the record's face name and weight; never null while any font
// is installed.
HFONT CreateFontIndirectA(const LOGFONTA* font);
// Answers the object of the same kind that was selected before.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int object);

// Colours map to the nearest entry of the surface's palette (the lowest index on ties); each
// setter answers the colour it replaces.
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF SetBkColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);

// (x, y) is the top-left corner of the text's cell. The text's bytes are the platform's
// one-byte character set (Latin-1). On 8-bit surfaces glyphs are drawn solid where they cover
// half a pixel or more; in the opaque mode the cell is filled with the background colour first.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE* size);

HBRUSH CreateSolidBrush(COLORREF colour);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
