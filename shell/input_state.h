#pragma once
// What the window procedure hands to the screens: the last key, a pending click, and whether
// the window paints itself black.

#include "platform/windef.h"

extern DWORD lastKey;
extern BOOL clickPending;
extern BOOL paintBlack;
