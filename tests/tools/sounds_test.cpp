#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/make_assets/output/sound_pictures.h"
#include "tools/make_assets/sounds/game_sounds.h"

namespace {

using namespace audio;

struct Pack {
    Quality quality;
    std::vector<SoundEntry> entries;
};

const std::vector<Pack>& Packs()
{
    static const std::vector<Pack> packs = {
        {LOW_QUALITY, SoundPackEntries(LOW_QUALITY)},
        {NORMAL_QUALITY, SoundPackEntries(NORMAL_QUALITY)},
    };
    return packs;
}

// Both qualities hold the same seven mono entries: a shot short enough for fast clicks, the
// game-over sound, five pops; each starts and ends in silence, without offset, below full scale.
TEST(SoundPacksTest, SevenMonoSoundsOfTheirLengthsStartingAndEndingInSilence)
{
    const std::pair<double, double> lengths[] = {{0.1, 0.45}, {1.0, 2.0}, {0.1, 0.5}};
    for (const Pack& pack : Packs()) {
        ASSERT_EQ(pack.entries.size(), 7u);
        for (std::size_t i = 0; i < 7; ++i) {
            const auto& [name, sound] = pack.entries[i];
            EXPECT_EQ(sound.sampleRate, pack.quality.rate) << name;
            EXPECT_EQ(sound.bitsPerSample, pack.quality.bitsPerSample) << name;
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
    const std::vector<SoundEntry>& normal = Packs()[1].entries;
    for (int a = 2; a < 7; ++a) {
        for (int b = a + 1; b < 7; ++b)
            EXPECT_NE(normal[a].sound.samples, normal[b].sound.samples) << a << " " << b;
    }
    const std::vector<SoundEntry> again = SoundPackEntries(NORMAL_QUALITY);
    for (std::size_t i = 0; i < again.size(); ++i)
        EXPECT_EQ(again[i].sound.samples, normal[i].sound.samples) << i;
}

} // namespace
