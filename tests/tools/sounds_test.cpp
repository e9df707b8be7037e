#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/make_assets/output/sound_pictures.h"
#include "tools/make_assets/sounds/game_sounds.h"

namespace {

using namespace audio;

struct Pack {
    Quality quality;
    std::vector<PcmSound> entries;
};

const std::vector<Pack>& Packs()
{
    static const std::vector<Pack> packs = {
        {LOW_QUALITY, SoundPackEntries(LOW_QUALITY)},
        {NORMAL_QUALITY, SoundPackEntries(NORMAL_QUALITY)},
    };
    return packs;
}

double Seconds(const PcmSound& sound)
{
    return static_cast<double>(Decode(sound).size()) / sound.rate;
}

TEST(SoundPacksTest, BothQualitiesHoldTheSameSevenMonoEntries)
{
    for (const Pack& pack : Packs()) {
        ASSERT_EQ(pack.entries.size(), 7u);
        for (const PcmSound& sound : pack.entries) {
            EXPECT_EQ(sound.rate, pack.quality.rate) << sound.name;
            EXPECT_EQ(sound.bitsPerSample, pack.quality.bitsPerSample) << sound.name;
            EXPECT_EQ(sound.channels, 1) << sound.name;
            EXPECT_EQ(sound.samples.size() % (sound.bitsPerSample / 8), 0u) << sound.name;
        }
    }
}

TEST(SoundPacksTest, LengthsSuitWhatEachSoundAccompanies)
{
    for (const Pack& pack : Packs()) {
        EXPECT_GT(Seconds(pack.entries[0]), 0.1);
        EXPECT_LT(Seconds(pack.entries[0]), 0.45); // a shot per click, clicks come fast
        EXPECT_GE(Seconds(pack.entries[1]), 1.0);
        EXPECT_LE(Seconds(pack.entries[1]), 2.0);
        for (int pop = 2; pop < 7; ++pop) {
            EXPECT_GT(Seconds(pack.entries[pop]), 0.1);
            EXPECT_LT(Seconds(pack.entries[pop]), 0.5);
        }
    }
}

TEST(SoundPacksTest, SoundsStartAndEndInSilenceWithoutOffsetAndPeakBelowFullScale)
{
    for (const Pack& pack : Packs()) {
        for (const PcmSound& sound : pack.entries) {
            const Signal signal = Decode(sound);
            ASSERT_FALSE(signal.empty());
            EXPECT_EQ(signal.front(), 0.0f) << sound.name;
            EXPECT_EQ(signal.back(), 0.0f) << sound.name;
            double mean = 0.0;
            float peak = 0.0f;
            for (float s : signal) {
                mean += s;
                peak = std::max(peak, std::abs(s));
            }
            mean /= static_cast<double>(signal.size());
            EXPECT_LT(std::abs(mean), 0.01) << sound.name;
            const double peakDb = 20.0 * std::log10(peak);
            EXPECT_GT(peakDb, -4.5) << sound.name;
            EXPECT_LT(peakDb, -1.5) << sound.name;
        }
    }
}

TEST(SoundPacksTest, TheFivePopsDifferAndEveryRunMakesTheSameBytes)
{
    const std::vector<PcmSound>& normal = Packs()[1].entries;
    for (int a = 2; a < 7; ++a) {
        for (int b = a + 1; b < 7; ++b)
            EXPECT_NE(normal[a].samples, normal[b].samples) << a << " " << b;
    }
    const std::vector<PcmSound> again = SoundPackEntries(NORMAL_QUALITY);
    for (std::size_t i = 0; i < again.size(); ++i)
        EXPECT_EQ(again[i].samples, normal[i].samples) << i;
}

} // namespace
