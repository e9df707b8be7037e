#pragma once
// The sound device and the buffer that carries its output format.

#include "platform/dsound.h"

extern LPDIRECTSOUND soundDevice;
// The primary buffer, or the fallback secondary buffer, or null.
extern LPDIRECTSOUNDBUFFER primaryBuffer;

// True when sound is available; format (may be null) is the wanted output format.
bool InitSound(HWND window, const WAVEFORMATEX* format);
void ReleaseSound();
// A 64 KiB software buffer in format, for when the device has no primary buffer.
LPDIRECTSOUNDBUFFER CreateFallbackBuffer(const WAVEFORMATEX* format);
