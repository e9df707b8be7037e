// A glimbot coming out of the ground: five pops, each a bubble of rising pitch over a puff of
// earth, varied in pitch, length, grit and bounce so that a busy field does not drone.

#include <cmath>

#include "tools/make_assets/sounds/game_sounds.h"
#include "tools/make_assets/sounds/synth.h"

namespace audio {
namespace {

struct Pop {
    double fromHz;     // the bubble's pitch at the start...
    double toHz;       // ...and where it glides to
    double glide;      // seconds of the glide
    double decay;      // the bubble's fading time constant
    double dirt;       // share of the earth's puff
    double dirtCutoff; // how bright the earth sounds
    double echoDelay;  // a second, smaller bubble this many seconds later (0: none)
    double wobble;     // depth of a springy pitch wobble
    std::uint32_t seed;
};

constexpr Pop pops[POP_SOUNDS] = {
    {180.0, 820.0, 0.06, 0.045, 0.35, 1800.0, 0.0, 0.0, 201},  // a clean bloop
    {120.0, 420.0, 0.05, 0.040, 0.80, 900.0, 0.0, 0.0, 202},   // a dull thud of earth
    {300.0, 1100.0, 0.03, 0.030, 0.55, 3500.0, 0.0, 0.0, 203}, // a cork pulled out
    {240.0, 760.0, 0.05, 0.035, 0.30, 1500.0, 0.07, 0.0, 204}, // bubble, bubble
    {200.0, 520.0, 0.04, 0.080, 0.25, 1200.0, 0.0, 0.25, 205}, // a springy boing
};

constexpr double POP_LENGTH = 0.30;

Signal Bubble(const Pop& pop)
{
    Signal bubble = SweptSine(Samples(POP_LENGTH), [&pop](double t) {
        const double glide = 1.0 - std::exp(-t / pop.glide);
        const double wobble =
            1.0 + pop.wobble * std::sin(2.0 * 3.14159 * 18.0 * t) * std::exp(-t / 0.12);
        return (pop.fromHz + (pop.toHz - pop.fromHz) * glide) * wobble;
    });
    Shape(bubble, [&pop](double t) { return Percussive(t, 0.004, pop.decay); });
    return bubble;
}

Signal EarthPuff(const Pop& pop)
{
    Signal puff = Noise(Samples(POP_LENGTH), pop.seed);
    LowPass(puff, [&pop](double t) { return pop.dirtCutoff * std::exp(-t / 0.05) + 200.0; });
    Shape(puff, [](double t) { return Percussive(t, 0.002, 0.025); });
    return puff;
}

} // namespace

Signal PopSound(int variant)
{
    const Pop& pop = pops[variant];
    Signal sound;
    Mix(sound, Bubble(pop), 1.0);
    Mix(sound, EarthPuff(pop), pop.dirt);
    if (pop.echoDelay > 0.0) Mix(sound, Bubble(pop), 0.55, Samples(pop.echoDelay));
    sound.resize(Samples(POP_LENGTH));
    Finish(sound);
    return sound;
}

} // namespace audio
