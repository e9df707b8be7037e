// The player's volume reaching what the game mixes (the sound switch is in the title's tests,
// the language in the settings' own).

#include <algorithm>
#include <filesystem>

#include "tests/e2e/game_run.h"

namespace {

class SettingsRunTest : public test::GameFolderTest {
protected:
    // RunGame gives every run the test folder's "home".
    void WriteSettings(const std::string& text)
    {
        std::filesystem::create_directories("home/.config/killglimbot");
        WriteFile(settingsFile, text);
    }
    const std::string settingsFile = "home/.config/killglimbot/killglimbot.ini";
};

// Clicks swept over the field until a glimbot falls, then the run is given up.
const std::string shootThenGiveUp =
    test::leaveTitle + test::SweepClicks(300, 8000) + "8000 key 32\n8400 key 13\n8500 key 32\n";

TEST_F(SettingsRunTest, TheVolumeScalesWhatTheGameMixes)
{
    WriteFile("run.txt", shootThenGiveUp);
    const auto loudest = [this](const char* settings) {
        WriteSettings(settings);
        EXPECT_EQ(test::RunGame({"--headless", "--script", "run.txt", "--wav", "out.wav"}).exitCode,
                  0);
        const std::string wav = ReadFile("out.wav");
        int peak = 0;
        for (std::size_t i = 44; i + 1 < wav.size(); i += 2) {
            const auto sample = static_cast<std::int16_t>(
                static_cast<unsigned char>(wav[i]) | (static_cast<unsigned char>(wav[i + 1]) << 8));
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        return peak;
    };
    // The shots overlap and clip at full volume; at a half and a quarter they do not.
    const int half = loudest("volume = 50\n");
    EXPECT_GT(half, 1000);
    EXPECT_NEAR(loudest("volume = 25\n"), half / 2, 2);
    EXPECT_EQ(loudest("volume = 0\n"), 0);
}

} // namespace
