#pragma once
// The synthesiser's building blocks: noise, oscillators with pitch sweeps, envelopes, filters,
// and the finishing steps every sound goes through.

#include <cstdint>
#include <functional>

#include "tools/make_assets/sounds/signal.h"

namespace audio {

inline constexpr double PEAK_DB = -3.0; // headroom for the mixer, where several sounds add up

// White noise, the same on every run for a seed.
Signal Noise(std::size_t length, std::uint32_t seed);
// A sine whose frequency (Hz) follows the given curve over time (seconds).
Signal SweptSine(std::size_t length, const std::function<double(double)>& frequency);
// A band-limited sawtooth (harmonics below the studio Nyquist rate) following a frequency curve.
Signal SweptSaw(std::size_t length, const std::function<double(double)>& frequency);

// Multiplies every sample by the envelope's value at its time (seconds).
void Shape(Signal& signal, const std::function<double(double)>& envelope);
// exp(-t / tau) after a linear attack from 0 that lasts attack seconds.
double Percussive(double t, double attack, double tau);

// One-pole low-pass with a cutoff (Hz) that may follow a curve over time.
void LowPass(Signal& signal, const std::function<double(double)>& cutoff);
void HighPass(Signal& signal, double cutoff);
// Resonant band-pass (state-variable filter) around a centre frequency with quality q.
void BandPass(Signal& signal, const std::function<double(double)>& centre, double q);

// Adds source into target starting at sample `at`, scaled by gain; target grows as needed.
void Mix(Signal& target, const Signal& source, double gain, std::size_t at = 0);

// A short fade at each end, so the sound starts and ends at silence without a click.
void FadeEdges(Signal& signal, double rate);
// The finishing steps: no DC, a short fade at each end so the sound starts and ends at
// silence without a click, and the peak at peakDb decibels below full scale.
void Finish(Signal& signal, double peakDb = PEAK_DB);
// Scales the signal so its peak is peakDb decibels below full scale.
void Normalise(Signal& signal, double peakDb = PEAK_DB);

} // namespace audio
