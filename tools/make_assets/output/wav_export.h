#pragma once
// Sounds out as WAV files, to listen to and measure them.

#include <string>

#include "tools/make_assets/sounds/signal.h"

namespace audio {

bool WriteWav(const PcmSound& sound, const std::string& path);

} // namespace audio
