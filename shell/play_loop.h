#pragma once
// One play run: loading, the frame loop until a key or a lost game, the game-over screen, and
// the release.

#include "platform/windef.h"
#include "sound/pack_archive.h"

// Frames composed in the run, for the headless report.
extern DWORD composedFrames;

void RunPlay();
// The game-over picture over the last frame, its sound from entry 1 of the pack (or none), and
// a wait for a key; lastKey is not reset on entry.
void RunGameOver(PackArchive* pack);
