#include "tools/make_assets/sounds/render.h"

#include <algorithm>
#include <cmath>

#include "tools/make_assets/sounds/synth.h"

namespace audio {
namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int FILTER_HALF_LENGTH = 48;
constexpr double PASS_BAND_SHARE = 0.9; // of the new Nyquist rate

// Windowed-sinc low-pass taps for taking the studio rate down by `factor`.
std::vector<double> DecimationFilter(int factor)
{
    const double cutoff = PASS_BAND_SHARE / factor; // in halves of the studio rate
    std::vector<double> taps;
    double sum = 0.0;
    for (int k = -FILTER_HALF_LENGTH; k <= FILTER_HALF_LENGTH; ++k) {
        const double x = PI * cutoff * k;
        const double sinc = k == 0 ? 1.0 : std::sin(x) / x;
        const double n = static_cast<double>(k + FILTER_HALF_LENGTH) / (2 * FILTER_HALF_LENGTH);
        const double blackman = 0.42 - 0.5 * std::cos(2 * PI * n) + 0.08 * std::cos(4 * PI * n);
        taps.push_back(sinc * blackman);
        sum += taps.back();
    }
    for (double& tap : taps) tap /= sum;
    return taps;
}

Signal Decimate(const Signal& studio, int factor)
{
    const std::vector<double> taps = DecimationFilter(factor);
    Signal out(studio.size() / factor);
    for (std::size_t n = 0; n < out.size(); ++n) {
        double sum = 0.0;
        const auto centre = static_cast<std::ptrdiff_t>(n * factor);
        for (int k = -FILTER_HALF_LENGTH; k <= FILTER_HALF_LENGTH; ++k) {
            const std::ptrdiff_t i = centre + k;
            if (i >= 0 && i < static_cast<std::ptrdiff_t>(studio.size()))
                sum += taps[k + FILTER_HALF_LENGTH] * studio[i];
        }
        out[n] = static_cast<float>(sum);
    }
    return out;
}

void Quantise(const Signal& signal, WORD bitsPerSample, std::vector<BYTE>& out)
{
    for (float sample : signal) {
        const double s = std::clamp(static_cast<double>(sample), -1.0, 1.0);
        if (bitsPerSample == 8) {
            out.push_back(static_cast<BYTE>(128 + std::lround(s * 127.0)));
        } else {
            const auto value = static_cast<std::int16_t>(std::lround(s * 32767.0));
            out.push_back(static_cast<BYTE>(value & 0xFF));
            out.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
        }
    }
}

} // namespace

PcmSound Render(const Signal& studio, Quality quality)
{
    const int factor = static_cast<int>(std::lround(STUDIO_RATE / quality.rate));
    Signal signal = Decimate(studio, factor);
    // The filter's ringing must not reach the ends, and the peak it shaved off is given back.
    FadeEdges(signal, quality.rate);
    Normalise(signal);
    PcmSound sound;
    sound.sampleRate = quality.rate;
    sound.channels = 1;
    sound.bitsPerSample = quality.bitsPerSample;
    Quantise(signal, quality.bitsPerSample, sound.samples);
    return sound;
}

} // namespace audio
