#include "tools/make_assets/output/sound_pictures.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "tools/make_assets/art/lettering.h"

namespace audio {
namespace {

constexpr int PIXELS_PER_SECOND = 400;
constexpr int WAVE_HEIGHT = 80;
constexpr int SPECTRUM_HEIGHT = 128; // one row per frequency band, low at the bottom
constexpr int WINDOW = 256;
constexpr int TITLE_HEIGHT = 18;
constexpr double FLOOR_DB = -70.0;

void DrawWave(art::Picture& picture, const Signal& signal, int top)
{
    const std::size_t perColumn = std::max<std::size_t>(1, signal.size() / picture.width);
    const int middle = top + WAVE_HEIGHT / 2;
    for (int x = 0; x < picture.width; ++x) {
        float low = 0.0f;
        float high = 0.0f;
        for (std::size_t i = x * perColumn; i < std::min(signal.size(), (x + 1) * perColumn); ++i) {
            low = std::min(low, signal[i]);
            high = std::max(high, signal[i]);
        }
        const int from = middle - static_cast<int>(high * (WAVE_HEIGHT / 2 - 1));
        const int to = middle - static_cast<int>(low * (WAVE_HEIGHT / 2 - 1));
        for (int y = from; y <= to; ++y) picture.Set(x, y, art::CREATURE_GREEN.At(12));
    }
}

// Magnitude in decibels of frequency band `band` of the window starting at `start`.
double BandLevel(const Signal& signal, std::size_t start, int band)
{
    std::complex<double> sum = 0.0;
    for (int n = 0; n < WINDOW; ++n) {
        const std::size_t i = start + n;
        const double sample = i < signal.size() ? signal[i] : 0.0;
        const double hann = 0.5 - 0.5 * std::cos(2.0 * 3.14159265 * n / (WINDOW - 1));
        sum += sample * hann * std::polar(1.0, -2.0 * 3.14159265 * band * n / WINDOW);
    }
    return 20.0 * std::log10(std::abs(sum) / (WINDOW / 4) + 1e-9);
}

void DrawSpectrum(art::Picture& picture, const Signal& signal, int top)
{
    for (int x = 0; x < picture.width; ++x) {
        const std::size_t start = signal.size() * x / picture.width;
        for (int row = 0; row < SPECTRUM_HEIGHT; ++row) {
            const int band = (SPECTRUM_HEIGHT - 1 - row) * (WINDOW / 2) / SPECTRUM_HEIGHT;
            const double level = (BandLevel(signal, start, band) - FLOOR_DB) / -FLOOR_DB;
            picture.Set(x, top + row, art::Shade(art::FIRE, static_cast<float>(level), x, row));
        }
    }
}

} // namespace

Signal Decode(const PcmSound& sound)
{
    Signal signal;
    if (sound.bitsPerSample == 8) {
        for (BYTE b : sound.samples) signal.push_back((static_cast<float>(b) - 128.0f) / 127.0f);
    } else {
        for (std::size_t i = 0; i + 1 < sound.samples.size(); i += 2) {
            const auto value =
                static_cast<std::int16_t>(sound.samples[i] | (sound.samples[i + 1] << 8));
            signal.push_back(static_cast<float>(value) / 32767.0f);
        }
    }
    return signal;
}

art::Picture SoundPicture(const SoundEntry& entry)
{
    const Signal signal = Decode(entry.sound);
    const DWORD rate = entry.sound.sampleRate;
    const int width = std::max(120, static_cast<int>(signal.size() * PIXELS_PER_SECOND / rate));
    art::Picture picture(entry.name, width, TITLE_HEIGHT + WAVE_HEIGHT + SPECTRUM_HEIGHT,
                         art::GREYS.At(1));
    art::DrawLabel(picture, art::LabelFont(13), entry.name + " " + std::to_string(rate) + " Hz", 2,
                   2, art::WHITE);
    DrawWave(picture, signal, TITLE_HEIGHT);
    DrawSpectrum(picture, signal, TITLE_HEIGHT + WAVE_HEIGHT);
    return picture;
}

} // namespace audio
