#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/little_endian.h"
#include "tests/common/test_support.h"
#include "tools/make_assets/output/sound_pictures.h"
#include "tools/make_assets/output/wav_export.h"
#include "tools/make_assets/sounds/game_sounds.h"
#include "tools/make_assets/sounds/render.h"
#include "tools/make_assets/sounds/synth.h"

namespace {

using namespace audio;

// Both qualities hold the same seven mono entries: a shot short enough for fast clicks, the
// game-over sound, five pops; each starts and ends in silence, without offset, below full scale.
TEST(SoundPacksTest, SevenMonoSoundsOfTheirLengthsStartingAndEndingInSilence)
{
    const std::pair<double, double> lengths[] = {{0.1, 0.45}, {1.0, 2.0}, {0.1, 0.5}};
    for (const Quality quality : {LOW_QUALITY, NORMAL_QUALITY}) {
        const std::vector<SoundEntry> entries = SoundPackEntries(quality);
        ASSERT_EQ(entries.size(), 7u);
        for (std::size_t i = 0; i < 7; ++i) {
            const auto& [name, sound] = entries[i];
            EXPECT_EQ(sound.sampleRate, quality.rate) << name;
            EXPECT_EQ(sound.bitsPerSample, quality.bitsPerSample) << name;
            EXPECT_EQ(sound.channels, 1) << name;
            EXPECT_EQ(sound.samples.size() % (sound.bitsPerSample / 8), 0u) << name;
            const Signal signal = Decode(sound);
            ASSERT_FALSE(signal.empty());
            const auto [shortest, longest] = lengths[std::min<std::size_t>(i, 2)];
            const double seconds = static_cast<double>(signal.size()) / sound.sampleRate;
            EXPECT_TRUE(seconds > shortest && seconds < longest) << name << " " << seconds;
            EXPECT_EQ(signal.front(), 0.0f) << name;
            EXPECT_EQ(signal.back(), 0.0f) << name;
            double mean = 0.0;
            float peak = 0.0f;
            for (float s : signal) {
                mean += s;
                peak = std::max(peak, std::abs(s));
            }
            EXPECT_LT(std::abs(mean / static_cast<double>(signal.size())), 0.01) << name;
            const double peakDb = 20.0 * std::log10(peak);
            EXPECT_TRUE(peakDb > -4.5 && peakDb < -1.5) << name << " " << peakDb;
        }
    }
}

TEST(SoundPacksTest, TheFivePopsDifferAndEveryRunMakesTheSameBytes)
{
    const std::vector<SoundEntry> normal = SoundPackEntries(NORMAL_QUALITY);
    for (int a = 2; a < 7; ++a) {
        for (int b = a + 1; b < 7; ++b)
            EXPECT_NE(normal[a].sound.samples, normal[b].sound.samples) << a << " " << b;
    }
    const std::vector<SoundEntry> again = SoundPackEntries(NORMAL_QUALITY);
    for (std::size_t i = 0; i < again.size(); ++i)
        EXPECT_EQ(again[i].sound.samples, normal[i].sound.samples) << i;
}

Signal Tone(double hz, double seconds)
{
    Signal tone = SweptSine(Samples(seconds), [hz](double) { return hz; });
    Shape(tone, [](double) { return 0.5; });
    return tone;
}

float Peak(const Signal& signal, std::size_t from, std::size_t to)
{
    float peak = 0;
    for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(signal[i]));
    return peak;
}

// Rendering normalises every sound; mixing a quiet reference tone in shows the relative level.
TEST(RenderTest, TheQualityFilterPassesLowTonesAndStopsThoseThatWouldAlias)
{
    const std::size_t half = Samples(0.5);
    for (const double high : {7000.0, 9000.0}) { // above 11025 Hz's Nyquist rate of 5512
        Signal signal = Tone(1000.0, 1.0);
        Signal loud = Tone(high, 0.5);
        for (std::size_t i = 0; i < half; ++i) signal[half + i] = loud[i];
        const Signal low = Decode(Render(signal, LOW_QUALITY));
        const std::size_t mid = low.size() / 2;
        EXPECT_LT(Peak(low, mid + 100, low.size() - 200), 0.02f * Peak(low, 200, mid - 100))
            << high;
    }
}

TEST(RenderTest, SamplesAreStoredInTheGamesLayouts)
{
    Signal signal(Samples(0.01), 0.0f);
    signal[Samples(0.005)] = 1.0f;
    const PcmSound low = Render(signal, LOW_QUALITY);
    EXPECT_EQ(low.samples.size(), signal.size() / 4);
    EXPECT_EQ(low.samples.front(), 128); // 8-bit silence is the middle value
    const PcmSound normal = Render(signal, NORMAL_QUALITY);
    EXPECT_EQ(normal.samples.size(), signal.size() / 2 * 2);
    EXPECT_EQ(normal.samples[0], 0);
    EXPECT_EQ(normal.samples[1], 0);
    const Signal decoded = Decode(normal);
    EXPECT_NEAR(*std::max_element(decoded.begin(), decoded.end()), std::pow(10.0, -3.0 / 20.0),
                0.01);
}

using WavTest = test::TempFolderTest;

TEST_F(WavTest, AWavFileDescribesItsSamples)
{
    PcmSound sound {22050, 1, 16, {1, 2, 3, 4}};
    ASSERT_TRUE(WriteWav(sound, "s.wav"));
    const std::string bytes = ReadFile("s.wav");
    ASSERT_EQ(bytes.size(), 48u);
    const auto* b = reinterpret_cast<const BYTE*>(bytes.data());
    EXPECT_EQ(ReadLe32(b), FourCC("RIFF"));
    EXPECT_EQ(ReadLe32(b + 4), 40u);
    EXPECT_EQ(ReadLe16(b + 22), 1);      // channels
    EXPECT_EQ(ReadLe32(b + 24), 22050u); // rate
    EXPECT_EQ(ReadLe32(b + 28), 44100u); // bytes per second
    EXPECT_EQ(ReadLe16(b + 34), 16);     // bits
    EXPECT_EQ(ReadLe32(b + 40), 4u);     // data size
    EXPECT_EQ(bytes.substr(44), std::string("\x01\x02\x03\x04", 4));
}

} // namespace
