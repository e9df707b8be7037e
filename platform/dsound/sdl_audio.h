#pragma once
// The SDL audio device that pulls the mix in its own thread.

#include "platform/dsound.h"

namespace platform::dsound {

// False when no device opens in that format; the first time, the reason is said on the
// terminal and in the log.
bool OpenAudioDevice(const WAVEFORMATEX& format);
void CloseAudioDevice();
// True when the SDL device number is the device open now.
bool IsOpenAudioDevice(unsigned deviceNumber);

} // namespace platform::dsound
