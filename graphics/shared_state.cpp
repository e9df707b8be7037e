// The process-wide graphics handles; the start-up and the play run fill them in.

#include "graphics/game_fonts.h"
#include "graphics/shared_surfaces.h"

HFONT hudFont = nullptr;
HFONT bigFont = nullptr;
HFONT smallFont = nullptr;

LPDIRECTDRAWSURFACE screenSurface = nullptr;
LPDIRECTDRAWSURFACE backSurface = nullptr;
LPDIRECTDRAWSURFACE sceneBackground = nullptr;
