#pragma once
// A studio signal as one of the game's qualities: filtered below the new Nyquist rate, taken
// down to its rate and quantised to its sample width.

#include "tools/make_assets/sounds/signal.h"

namespace audio {

PcmSound Render(const Signal& studio, Quality quality);

} // namespace audio
