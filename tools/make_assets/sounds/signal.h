#pragma once
// Sounds are designed as mono signals of floating-point samples (-1..1) at the studio rate,
// then filtered down and quantised to each quality the game ships.

#include <string>
#include <vector>

#include "platform/windef.h"
#include "tools/pack_writer/pack_writer.h"

namespace audio {

inline constexpr double STUDIO_RATE = 44100.0;

using Signal = std::vector<float>;

// Raw PCM as a sound entry holds it: 8-bit unsigned or 16-bit signed little-endian, mono.
using PcmSound = pack_writer::PcmSound;

// A sound pack's entry: its label and its samples.
struct SoundEntry {
    std::string name;
    PcmSound sound;
};

struct Quality {
    DWORD rate;
    WORD bitsPerSample;
};
inline constexpr Quality LOW_QUALITY {11025, 8};     // "SOUNDL.PCK"
inline constexpr Quality NORMAL_QUALITY {22050, 16}; // "SOUNDM.PCK"

// Samples in a length of time at the studio rate.
std::size_t Samples(double seconds);

} // namespace audio
