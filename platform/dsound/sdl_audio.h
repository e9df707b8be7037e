#pragma once
// The SDL audio device that pulls the mix in its own thread.

#include "platform/dsound.h"

namespace platform::dsound {

// False (with the reason on the debugger output) when no device opens in that format.
bool OpenAudioDevice(const WAVEFORMATEX& format);
void CloseAudioDevice();
// True when the SDL device number is the device open now.
bool IsOpenAudioDevice(unsigned deviceNumber);

} // namespace platform::dsound
