#pragma once
// What a play run loads before its first frame and releases after its last: the cursor and its
// save-under, the scene background, the creature pictures, the shot voices and the sound pack.

#include "platform/ddraw.h"
#include "platform/dsound.h"
#include "sound/pack_archive.h"

inline constexpr int SHOT_VOICES = 3;

extern LPDIRECTDRAWSURFACE cursorImage;
// The pixels under the cursor drawn on the screen.
extern LPDIRECTDRAWSURFACE cursorUnder;
extern LPDIRECTSOUNDBUFFER shotVoices[SHOT_VOICES];
// The open sound pack of the chosen quality, or null; the game-over screen takes its sound.
extern PackArchive* soundPack;

// Loads everything, shows the loading picture, resets the run's state and places the first
// creature.
void LoadPlayAssets();
void ReleasePlayAssets();

// " Loading..." over the scene, on the screen until the first frame covers it.
void ShowLoadingScreen();
