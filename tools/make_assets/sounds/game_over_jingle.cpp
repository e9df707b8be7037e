// Game over: a sad brass "wah, wah, wah, waaah" falling by semitones, the last note wavering.

#include <cmath>

#include "tools/make_assets/sounds/game_sounds.h"
#include "tools/make_assets/sounds/synth.h"

namespace audio {
namespace {

struct Note {
    double frequency; // Hz
    double start;     // seconds
    double length;
    bool wavers;
};

constexpr Note notes[] = {
    {392.00, 0.00, 0.30, false}, // G4
    {369.99, 0.32, 0.30, false}, // F#4
    {349.23, 0.64, 0.30, false}, // F4
    {329.63, 0.96, 0.68, true},  // E4
};

// One muted-trumpet note: a sawtooth through a filter that opens and closes ("wah").
Signal Play(const Note& note)
{
    const bool wavers = note.wavers;
    const double f = note.frequency;
    Signal tone = SweptSaw(Samples(note.length), [f, wavers](double t) {
        const double vibrato =
            wavers ? 1.0 + 0.02 * std::sin(2.0 * 3.14159 * 5.5 * t) * std::min(1.0, t * 4.0) : 1.0;
        return f * vibrato * (1.0 - 0.015 * t); // each note sags a little
    });
    const double length = note.length;
    // Two poles of the same filter: a mellower horn than the bare sawtooth.
    const auto wah = [length](double t) {
        const double open = std::sin(3.14159 * std::min(1.0, t / (length * 0.7)));
        return 400.0 + 2000.0 * open;
    };
    LowPass(tone, wah);
    LowPass(tone, wah);
    Shape(tone, [length](double t) {
        const double attack = std::min(1.0, t / 0.03);
        const double release = std::min(1.0, (length - t) / 0.08);
        return attack * std::max(0.0, release);
    });
    return tone;
}

} // namespace

Signal GameOverJingle()
{
    Signal jingle;
    for (const Note& note : notes) Mix(jingle, Play(note), 1.0, Samples(note.start));
    Finish(jingle);
    return jingle;
}

} // namespace audio
