#pragma once
// The software mixer's arithmetic: the pan law and the summing of voices into 16-bit output.

#include <cstdint>
#include <span>

#include "platform/windef.h"

namespace platform::dsound {

// Positions and steps count source frames in 32.32 fixed point.
inline constexpr int FRACTION_BITS = 32;

// One playing sound as the mixer sees it: its samples, where it is, how fast it moves through
// them for the output rate, and how loud each output side is.
struct VoiceMix {
    const BYTE* samples = nullptr;
    DWORD frames = 0;
    WORD channels = 1;
    WORD bitsPerSample = 8;
    std::uint64_t position = 0;
    std::uint64_t step = std::uint64_t {1} << FRACTION_BITS;
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
    bool playing = false;
};

// The step that moves a voice at sourceRate through an output at outputRate.
std::uint64_t StepForRates(DWORD sourceRate, DWORD outputRate);

// Attenuation in hundredths of a decibel as a linear amplitude factor; 10000 or more is silence.
float AttenuationToGain(LONG hundredthsOfDb);

struct PanGains {
    float left;
    float right;
};
// Negative pans attenuate the right side by -pan/100 dB, positive ones the left by pan/100 dB.
PanGains PanToGains(LONG pan);

// The master gain in 16.16 fixed point: FULL_GAIN leaves the mix as it is.
inline constexpr int FULL_GAIN = 1 << 16;
// The gain of a master volume of 0 (silent) to 100 (full), linear in amplitude.
int MasterGainForVolume(int percent);

// Writes frames output frames (interleaved, outputChannels 1 or 2): the sum of every playing
// voice, panned, times the master gain, clipped to 16 bits. Voices move on; one that reaches
// its end stops there.
void MixVoices(std::span<VoiceMix> voices, std::int16_t* output, DWORD frames, int outputChannels,
               int masterGain);

} // namespace platform::dsound
