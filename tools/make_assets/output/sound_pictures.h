#pragma once
// A sound drawn for review: its waveform above its spectrogram, time running to the right.

#include "tools/make_assets/art/picture.h"
#include "tools/make_assets/sounds/signal.h"

namespace audio {

// Samples as -1..1, whatever the stored width.
Signal Decode(const PcmSound& sound);
art::Picture SoundPicture(const SoundEntry& entry);

} // namespace audio
