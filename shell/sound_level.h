#pragma once
// The sound quality chosen at start-up: 0 no sound, 1 low (11025 Hz), 2 normal (22050 Hz).

#include "platform/windef.h"

extern DWORD soundLevel;
