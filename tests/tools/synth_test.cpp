#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "support/little_endian.h"
#include "tests/common/test_support.h"
#include "tools/make_assets/output/sound_pictures.h"
#include "tools/make_assets/output/wav_export.h"
#include "tools/make_assets/sounds/render.h"
#include "tools/make_assets/sounds/synth.h"

namespace {

using namespace audio;

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
