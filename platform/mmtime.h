#pragma once
// The multimedia timer: milliseconds since the machine started, 32 bits, wrapping.

#include "platform/windef.h"

DWORD timeGetTime();
