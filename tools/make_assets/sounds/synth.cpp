#include "tools/make_assets/sounds/synth.h"

#include <algorithm>
#include <cmath>

#include "tools/make_assets/art/random.h"

namespace audio {
namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double FADE_IN_SECONDS = 0.001;
constexpr double FADE_OUT_SECONDS = 0.012;

double Time(std::size_t i) { return static_cast<double>(i) / STUDIO_RATE; }

// The coefficient of a one-pole filter at this cutoff.
double PoleCoefficient(double cutoff)
{
    return 1.0 - std::exp(-2.0 * PI * std::clamp(cutoff, 1.0, STUDIO_RATE / 2.0) / STUDIO_RATE);
}

} // namespace

std::size_t Samples(double seconds) { return static_cast<std::size_t>(seconds * STUDIO_RATE); }

Signal Noise(std::size_t length, std::uint32_t seed)
{
    art::Random random(seed);
    Signal signal(length);
    for (float& sample : signal) sample = random.Range(-1.0f, 1.0f);
    return signal;
}

Signal SweptSine(std::size_t length, const std::function<double(double)>& frequency)
{
    Signal signal(length);
    double phase = 0.0;
    for (std::size_t i = 0; i < length; ++i) {
        signal[i] = static_cast<float>(std::sin(phase));
        phase += 2.0 * PI * frequency(Time(i)) / STUDIO_RATE;
    }
    return signal;
}

Signal SweptSaw(std::size_t length, const std::function<double(double)>& frequency)
{
    Signal signal(length);
    double phase = 0.0;
    for (std::size_t i = 0; i < length; ++i) {
        const double f = frequency(Time(i));
        const double nyquist = STUDIO_RATE / 2.0;
        const int harmonics = std::max(1, static_cast<int>(nyquist / f));
        double sum = 0.0;
        for (int h = 1; h <= harmonics; ++h) {
            // Harmonics fade out as they near the Nyquist rate, so a gliding pitch never
            // switches one on or off abruptly.
            const double taper = std::clamp((nyquist - h * f) / (0.2 * nyquist), 0.0, 1.0);
            sum += taper * std::sin(phase * h) / h;
        }
        signal[i] = static_cast<float>(sum * 2.0 / PI);
        phase += 2.0 * PI * f / STUDIO_RATE;
    }
    return signal;
}

void Shape(Signal& signal, const std::function<double(double)>& envelope)
{
    for (std::size_t i = 0; i < signal.size(); ++i)
        signal[i] = static_cast<float>(signal[i] * envelope(Time(i)));
}

double Percussive(double t, double attack, double tau)
{
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

void LowPass(Signal& signal, const std::function<double(double)>& cutoff)
{
    double state = 0.0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        state += PoleCoefficient(cutoff(Time(i))) * (signal[i] - state);
        signal[i] = static_cast<float>(state);
    }
}

void HighPass(Signal& signal, double cutoff)
{
    const double a = PoleCoefficient(cutoff);
    double low = 0.0;
    for (float& sample : signal) {
        low += a * (sample - low);
        sample = static_cast<float>(sample - low);
    }
}

void BandPass(Signal& signal, const std::function<double(double)>& centre, double q)
{
    double low = 0.0;
    double band = 0.0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double f =
            2.0 * std::sin(PI * std::min(centre(Time(i)), STUDIO_RATE / 6.0) / STUDIO_RATE);
        const double high = signal[i] - low - band / q;
        band += f * high;
        low += f * band;
        signal[i] = static_cast<float>(band);
    }
}

void Mix(Signal& target, const Signal& source, double gain, std::size_t at)
{
    if (target.size() < at + source.size()) target.resize(at + source.size(), 0.0f);
    for (std::size_t i = 0; i < source.size(); ++i)
        target[at + i] = static_cast<float>(target[at + i] + gain * source[i]);
}

void FadeEdges(Signal& signal, double rate)
{
    const auto fadeIn = std::min(signal.size(), static_cast<std::size_t>(FADE_IN_SECONDS * rate));
    const auto fadeOut = std::min(signal.size(), static_cast<std::size_t>(FADE_OUT_SECONDS * rate));
    for (std::size_t i = 0; i < fadeIn; ++i)
        signal[i] *= static_cast<float>(i) / static_cast<float>(fadeIn);
    for (std::size_t i = 0; i < fadeOut; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(fadeOut);
        signal[signal.size() - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(PI * t));
    }
}

void Finish(Signal& signal, double peakDb)
{
    if (signal.empty()) return;
    HighPass(signal, 20.0);
    double mean = 0.0;
    for (float sample : signal) mean += sample;
    mean /= static_cast<double>(signal.size());
    for (float& sample : signal) sample = static_cast<float>(sample - mean);
    FadeEdges(signal, STUDIO_RATE);
    Normalise(signal, peakDb);
}

void Normalise(Signal& signal, double peakDb)
{
    float peak = 0.0f;
    for (float sample : signal) peak = std::max(peak, std::abs(sample));
    if (peak <= 0.0f) return;
    const double gain = std::pow(10.0, peakDb / 20.0) / peak;
    for (float& sample : signal) sample = static_cast<float>(sample * gain);
}

} // namespace audio
