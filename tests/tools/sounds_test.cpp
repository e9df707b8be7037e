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

double Seconds(const SoundEntry& entry)
{
    return static_cast<double>(Decode(entry.sound).size()) / entry.sound.sampleRate;
}

TEST(SoundPacksTest, BothQualitiesHoldTheSameSevenMonoEntries)
{
    for (const Pack& pack : Packs()) {
        ASSERT_EQ(pack.entries.size(), 7u);
        for (const auto& [name, sound] : pack.entries) {
            EXPECT_EQ(sound.sampleRate, pack.quality.rate) << name;
            EXPECT_EQ(sound.bitsPerSample, pack.quality.bitsPerSample) << name;
            EXPECT_EQ(sound.channels, 1) << name;
            EXPECT_EQ(sound.samples.size() % (sound.bitsPerSample / 8), 0u) << name;
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
        for (const auto& [name, sound] : pack.entries) {
            const Signal signal = Decode(sound);
            ASSERT_FALSE(signal.empty());
            EXPECT_EQ(signal.front(), 0.0f) << name;
            EXPECT_EQ(signal.back(), 0.0f) << name;
            double mean = 0.0;
            float peak = 0.0f;
            for (float s : signal) {
                mean += s;
                peak = std::max(peak, std::abs(s));
            }
            mean /= static_cast<double>(signal.size());
            EXPECT_LT(std::abs(mean), 0.01) << name;
            const double peakDb = 20.0 * std::log10(peak);
            EXPECT_GT(peakDb, -4.5) << name;
            EXPECT_LT(peakDb, -1.5) << name;
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
