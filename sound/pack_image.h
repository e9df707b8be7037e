#pragma once
// Images stored in a pack, read into surfaces.

#include "platform/ddraw.h"
#include "sound/pack_archive.h"

// Reads the image entry's chunks into the surface; an entry of another type leaves the
// surface as it is.
void LoadPackImage(LPDIRECTDRAWSURFACE surface, PackArchive* pack, DWORD index);
