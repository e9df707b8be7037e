#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/dsound/mixer.h"
#include "tests/platform/dsound/sound_fixture.h"

namespace {

using platform::dsound::MixVoices;
using platform::dsound::StepForRates;
using platform::dsound::VoiceMix;
using test::Wide;

VoiceMix Voice(const std::vector<BYTE>& bytes, WORD channels, WORD bits)
{
    VoiceMix voice;
    voice.samples = bytes.data();
    voice.channels = channels;
    voice.bitsPerSample = bits;
    voice.frames = static_cast<DWORD>(bytes.size() / (channels * bits / 8));
    voice.playing = true;
    return voice;
}

TEST(MixVoices, VoicesAddUpAndTheSumIsClippedToSixteenBits)
{
    const auto loud = Wide({30000, -30000, 1000});
    VoiceMix voices[] = {Voice(loud, 1, 16), Voice(loud, 1, 16)};
    voices[1].gainRight = 0.5f;
    std::int16_t out[8] = {};
    MixVoices(voices, out, 4, 2, platform::dsound::FULL_GAIN);
    EXPECT_EQ(out[0], 32767);
    EXPECT_EQ(out[1], 32767); // 30000 + 15000
    EXPECT_EQ(out[2], -32768);
    EXPECT_EQ(out[4], 2000);
    EXPECT_EQ(out[5], 1500);
    EXPECT_EQ(out[6], 0); // both ended after three frames
    EXPECT_FALSE(voices[0].playing);
    EXPECT_FALSE(voices[1].playing);
}

TEST(MixVoices, EightBitSamplesAreCentredAndStereoSourcesKeepTheirSides)
{
    const std::vector<BYTE> stereo = {0xC0, 0x40, 0x80, 0xFF};
    VoiceMix voices[] = {Voice(stereo, 2, 8)};
    std::int16_t out[4] = {};
    MixVoices(voices, out, 2, 2, platform::dsound::FULL_GAIN);
    EXPECT_EQ(out[0], 16384);
    EXPECT_EQ(out[1], -16384);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 32512);

    voices[0] = Voice(stereo, 2, 8);
    std::int16_t mono[2] = {};
    MixVoices(voices, mono, 2, 1, platform::dsound::FULL_GAIN);
    EXPECT_EQ(mono[0], 0);
    EXPECT_EQ(mono[1], 16256);
}

TEST(MixVoices, ASlowerSourceIsStretchedWithStraightLinesBetweenSamples)
{
    const auto ramp = Wide({0, 1000, 3000});
    VoiceMix voices[] = {Voice(ramp, 1, 16)};
    voices[0].step = StepForRates(11025, 22050);
    voices[0].gainRight = 0.0f;
    std::int16_t out[14] = {};
    MixVoices(voices, out, 7, 2, platform::dsound::FULL_GAIN);
    const std::int16_t expected[] = {0, 500, 1000, 2000, 3000, 3000, 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(out[2 * i], expected[i]) << "frame " << i;
        EXPECT_EQ(out[2 * i + 1], 0);
    }
}

} // namespace
