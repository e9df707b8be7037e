#pragma once
// Sounds loaded from a sound pack into buffers of the sound device.

#include "platform/dsound.h"
#include "sound/sound_format.h"

// A buffer of the header's length in the header's format, or null.
LPDIRECTSOUNDBUFFER CreateSampleBuffer(const SoundHeader& header, DWORD bufferFlags);
// The sound whose header starts at file's position, or null. The file stays open.
LPDIRECTSOUNDBUFFER LoadSound(HANDLE file, DWORD bufferFlags);
