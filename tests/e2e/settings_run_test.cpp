// The player's settings file as the real game meets it: written on the first start, and its
// choices reaching the game (sound, volume, the name dialog's language).

#include <algorithm>
#include <filesystem>
#include <sstream>

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

const std::string leaveTitle = "100 key 32\n200 key 32\n";

// Clicks swept over the field until a glimbot falls, then the run is given up: the name dialog
// opens at about 8100 ms; a screenshot of it is taken at 8300 ms.
std::string ShootThenGiveUp()
{
    std::ostringstream script;
    for (int time = 300, step = 0; time < 8000; time += 10, ++step) {
        script << time << " move " << 24 + (step % 16) * 38 << ' ' << 180 + (step / 16 % 4) * 30
               << '\n'
               << time + 1 << " click\n";
    }
    return leaveTitle + script.str() + "8000 key 32\n8400 key 13\n8500 key 32\n";
}

TEST_F(SettingsRunTest, TheFirstStartWritesTheSettingsAndSoundOffIsTheGamesOwnS)
{
    WriteFile("title.txt", "100 key 32\n3600 key 32\n3700 key 32\n3800 key 32\n");
    EXPECT_EQ(test::RunGame({"--headless", "--script", "title.txt"}).exitCode, 0);
    EXPECT_NE(ReadFile(settingsFile).find("\nvolume = 100\n"), std::string::npos);

    const auto title = [this](const std::vector<std::string>& words, const char* picture) {
        std::vector<std::string> arguments {"--headless", "--script", "title.txt", "--screenshot",
                                            std::string("3500:") + picture};
        arguments.insert(arguments.end(), words.begin(), words.end());
        EXPECT_EQ(test::RunGame(arguments).exitCode, 0);
        return ReadFile(picture);
    };
    const std::string withSound = title({}, "sound.png");
    const std::string byCommandLine = title({"s"}, "s.png");
    WriteSettings("sound = no\n");
    const std::string bySettings = title({}, "no.png");
    EXPECT_FALSE(withSound.empty());
    EXPECT_NE(withSound, byCommandLine); // "normal sound" against "no sound"
    EXPECT_EQ(bySettings, byCommandLine);
}

TEST_F(SettingsRunTest, TheVolumeScalesWhatTheGameMixes)
{
    WriteFile("run.txt", ShootThenGiveUp());
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

TEST_F(SettingsRunTest, TheSettingsChooseTheNameDialogsLanguageOverTheLocale)
{
    WriteFile("run.txt", ShootThenGiveUp());
    const auto dialog = [this](const char* settings, const char* locale, const char* picture) {
        WriteSettings(settings);
        std::filesystem::remove("killer.dat");
        EXPECT_EQ(test::RunGame({"--headless", "--script", "run.txt", "--screenshot",
                                 std::string("8300:") + picture},
                                {"LC_ALL=", "LC_MESSAGES=", std::string("LANG=") + locale})
                      .exitCode,
                  0);
        return ReadFile(picture);
    };
    const std::string italianLocale = dialog("language = auto\n", "it_IT.UTF-8", "auto.png");
    const std::string italian = dialog("language = it\n", "C", "it.png");
    const std::string english = dialog("language = en\n", "it_IT.UTF-8", "en.png");
    EXPECT_FALSE(italian.empty());
    EXPECT_EQ(italian, italianLocale);
    EXPECT_NE(english, italian);
}

} // namespace
