#pragma once
// The table of voices shared between the program's thread and the mixing thread. The program
// changes voices under a short lock; the mix copies them under the same lock, mixes without
// it and writes back the positions of voices nobody touched meanwhile.

#include <cstddef>

#include "platform/dsound.h"
#include "platform/dsound/mixer.h"

namespace platform::dsound {

inline constexpr int MAX_VOICES = 64;

// A new stopped voice at the start of frames frames of samples in format; -1 when the table is
// full.
int AcquireVoice(const BYTE* samples, DWORD frames, const WAVEFORMATEX& format);
// Once this returns, no mix reads the voice's samples any more.
void ReleaseVoice(int voice);

// Plays from the current position; a voice at its end starts again from the beginning.
void PlayVoice(int voice);
void StopVoice(int voice);
void SetVoiceGains(int voice, PanGains gains);
bool VoicePlaying(int voice);

// The format every voice is mixed into.
void SetMixFormat(const WAVEFORMATEX& format);
WAVEFORMATEX MixFormat();
// Every later mix is scaled by gain (see MasterGainForVolume).
void SetMasterGain(int gain);

// Fills bytes bytes of output in the mix format with the next stretch of the mix. Allocates
// nothing; safe to call from the audio thread.
void RenderMix(BYTE* output, std::size_t bytes);

} // namespace platform::dsound
