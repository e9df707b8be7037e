// The shot: a sharp crack, a low thump and a short tail of echo, over in a third of a second.

#include <cmath>

#include "tools/make_assets/sounds/game_sounds.h"
#include "tools/make_assets/sounds/synth.h"

namespace audio {

Signal ShotSound()
{
    constexpr double length = 0.34;
    // The crack: bright noise closing down fast.
    Signal crack = Noise(Samples(length), 101);
    LowPass(crack, [](double t) { return 9000.0 * std::exp(-t / 0.03) + 400.0; });
    Shape(crack, [](double t) { return Percussive(t, 0.0008, 0.028); });
    // The thump of the charge: a sine falling from 150 Hz.
    Signal thump =
        SweptSine(Samples(length), [](double t) { return 45.0 + 105.0 * std::exp(-t / 0.03); });
    Shape(thump, [](double t) { return Percussive(t, 0.002, 0.05); });
    // The echo: dark noise dying away.
    Signal tail = Noise(Samples(length), 102);
    LowPass(tail, [](double) { return 1100.0; });
    Shape(tail, [](double t) { return Percussive(t, 0.01, 0.075); });

    Signal shot;
    Mix(shot, crack, 1.0);
    Mix(shot, thump, 0.55);
    Mix(shot, tail, 0.7);
    Finish(shot);
    return shot;
}

} // namespace audio
