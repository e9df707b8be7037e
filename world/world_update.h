#pragma once
// The world's frame tick.

#include "platform/windef.h"

// Draws and moves the creatures and the flying blood on the back surface, then soaks the drops
// that landed into the scene background. elapsed: milliseconds since the previous tick.
void UpdateWorld(DWORD elapsed);
