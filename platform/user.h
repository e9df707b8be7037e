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
