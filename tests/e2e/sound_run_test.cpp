#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "tests/e2e/game_run.h"

namespace {

using SoundRunTest = test::GameFolderTest;

struct StereoWav {
    int rate = 0;
    std::vector<short> samples; // left and right in turn
};

// The 44-byte header of a PCM WAV file, then 16-bit stereo samples.
StereoWav ReadStereoWav(const std::string& bytes)
{
    StereoWav wav;
    if (bytes.size() < 44) return wav;
    std::memcpy(&wav.rate, bytes.data() + 24, 4);
    wav.samples.resize((bytes.size() - 44) / 2);
    std::memcpy(wav.samples.data(), bytes.data() + 44, wav.samples.size() * 2);
    return wav;
}

// Root-mean-square level of one channel between two times (milliseconds).
double Level(const StereoWav& wav, int channel, int fromMs, int toMs)
{
    double sum = 0;
    const std::size_t first = static_cast<std::size_t>(fromMs) * wav.rate / 1000;
    const std::size_t last =
        std::min(static_cast<std::size_t>(toMs) * wav.rate / 1000, wav.samples.size() / 2);
    for (std::size_t i = first; i < last; ++i) sum += std::pow(wav.samples[2 * i + channel], 2);
    return last > first ? std::sqrt(sum / static_cast<double>(last - first)) : 0;
}

TEST_F(SoundRunTest, TheShotIsPannedToTheCursor)
{
    // Shots in the top strip hit nothing: one at the left edge, one at the right.
    WriteFile("run.txt",
              "100 key 32\n200 key 32\n800 move 0 30\n801 click\n1400 move 639 30\n1401 click\n"
              "3000 key 32\n3100 key 32\n");
    ASSERT_EQ(test::RunGame({"--headless", "--script", "run.txt", "--wav", "out.wav"}).exitCode, 0);
    const StereoWav wav = ReadStereoWav(ReadFile("out.wav"));
    ASSERT_EQ(wav.rate, 22050);
    EXPECT_GT(Level(wav, 0, 800, 1100), 4 * Level(wav, 1, 800, 1100));
    EXPECT_GT(Level(wav, 1, 1400, 1700), 4 * Level(wav, 0, 1400, 1700));
}

// The shots overlap and clip at full volume; at a half and a quarter of the settings' volume
// they do not.
TEST_F(SoundRunTest, TheSettingsVolumeScalesWhatTheGameMixes)
{
    WriteFile("run.txt", test::leaveTitle + test::SweepClicks(300, 8000)
                             + "8000 key 32\n8400 key 13\n8500 key 32\n");
    std::filesystem::create_directories("home/.config/killglimbot");
    const auto loudest = [this](const char* settings) {
        WriteFile("home/.config/killglimbot/killglimbot.ini", settings);
        EXPECT_EQ(test::RunGame({"--headless", "--script", "run.txt", "--wav", "out.wav"}).exitCode,
                  0);
        const std::vector<short> samples = ReadStereoWav(ReadFile("out.wav")).samples;
        int peak = 0;
        for (short sample : samples) peak = std::max(peak, std::abs(static_cast<int>(sample)));
        return peak;
    };
    const int half = loudest("volume = 50\n");
    EXPECT_GT(half, 1000);
    EXPECT_NEAR(loudest("volume = 25\n"), half / 2, 2);
    EXPECT_EQ(loudest("volume = 0\n"), 0);
}

} // namespace
