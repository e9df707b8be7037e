#pragma once
// The platform's user-interface services used by the game.

#include <cstdarg>

#include "platform/windef.h"

// The platform formatter: "%s", "%c", "%d", "%i", "%u", "%x", "%X" and "%%", with the flags "-",
// "0" and "#", a field width and a precision. Output stops at 1024 characters plus the NUL;
// answers the number of characters stored.
inline constexpr int WSPRINTF_LIMIT = 1024;
int wsprintfA(LPSTR buffer, LPCSTR format, ...);
int wvsprintfA(LPSTR buffer, LPCSTR format, std::va_list arguments);

// Window styles the display device starts from.
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_EX_TOPMOST = 0x8;
inline constexpr DWORD CS_DBLCLKS = 0x8;

// The system pointer is shown while the counter is 0 or more; answers the new counter.
int ShowCursor(BOOL show);

namespace platform {
// The presenter hides the system pointer while this is below 0.
int CursorShowCount();
} // namespace platform
