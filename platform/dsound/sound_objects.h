#pragma once
// The objects behind the device and buffer interfaces.

#include <memory>
#include <vector>

#include "platform/dsound.h"

namespace platform::dsound {

// The samples that a buffer and its duplicates share.
struct SampleStore {
    std::unique_ptr<BYTE[]> bytes;
    DWORD size = 0;
    WAVEFORMATEX format {};
};

struct SoundBuffer : IDirectSoundBuffer {
    bool primary = false;
    DWORD flags = 0;
    std::shared_ptr<SampleStore> store;
    int voice = -1;
    LONG pan = DSBPAN_CENTER;
    LPVOID lockedAt = nullptr;
};

struct SoundDevice : IDirectSound {
    DWORD cooperativeLevel = 0;
    // Every buffer made on the device, released with it.
    std::vector<std::unique_ptr<SoundBuffer>> buffers;
};

// The one device, or null.
SoundDevice* CurrentDevice();
// Removes the buffer from its device and frees it.
void DestroyBuffer(SoundBuffer* buffer);
// True for PCM, 1 or 2 channels, 8 or 16 bits, a rate the mixer takes and consistent sizes.
bool IsPlayablePcm(const WAVEFORMATEX& format);

} // namespace platform::dsound
