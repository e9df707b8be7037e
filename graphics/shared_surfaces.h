#pragma once
// The surfaces every screen shares: the visible one and its back buffer (the display owns them),
// and the run's scene background (the play run owns it).

#include "platform/ddraw.h"

extern LPDIRECTDRAWSURFACE screenSurface;
// Frames are composed here and copied to the screen; it is never flipped.
extern LPDIRECTDRAWSURFACE backSurface;
// The play background with the terrain and every blood stain of the run.
extern LPDIRECTDRAWSURFACE sceneBackground;
