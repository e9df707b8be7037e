#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dsound.h"
#include "platform/notice.h"
#include "platform/resources.h"
#include "resources/game_resources.h"
#include "shell/command_line.h"
#include "shell/settings.h"
#include "tests/common/test_support.h"

namespace {

using platform::present::RendererChoice;
using platform::present::Scaling;

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

void ExpectDefaults(const Settings& settings) { EXPECT_TRUE(settings == Settings {}); }

TEST(SettingsTest, TheFirstFileHoldsEveryKeyWithACommentAndReadsBackAsTheDefaults)
{
    const std::string text = DefaultSettingsText();
    for (const char* key :
         {"fullscreen", "window_scale", "scaling", "vsync", "renderer", "mouse_grab", "sound",
          "volume", "language", "controller", "controller_speed"}) {
        const auto at = text.find(std::string("\n") + key + " = ");
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_EQ(text[text.rfind('\n', at - 1) + 1], '#') << key; // the comment just above
    }
    std::vector<std::string> warnings;
    ExpectDefaults(ParseSettings(text, "killglimbot.ini", warnings));
    EXPECT_TRUE(warnings.empty());
    const Settings defaults {
        {true, 2, Scaling::Fit, true, RendererChoice::Auto, true}, {true, 600}, true, 100, 0};
    ExpectDefaults(defaults);
}

TEST(SettingsTest, EveryKeyIsReadInAnyCaseWithBlanksAndCommentsAround)
{
    std::vector<std::string> warnings;
    const Settings settings = ParseSettings("# a comment\n; another\n\n  fullscreen=no\r\n"
                                            "WINDOW_SCALE = 5\nscaling = Integer\nvsync = no\n"
                                            "renderer = software\nmouse_grab = no\nsound = no\n"
                                            "volume = 0\nlanguage = it\ncontroller = no\n"
                                            "controller_speed = 50\n",
                                            "f.ini", warnings);
    const Settings expected {{false, 5, Scaling::Integer, false, RendererChoice::Software, false},
                             {false, 50},
                             false,
                             0,
                             platform::LANGUAGE_ITALIAN};
    EXPECT_TRUE(settings == expected);
    const Settings others =
        ParseSettings("scaling = stretch\nrenderer = accelerated\nlanguage = en\nvolume = 100\n"
                      "window_scale = 8\ncontroller_speed = 3000\n",
                      "f.ini", warnings);
    const Settings otherExpected {
        {true, 8, Scaling::Stretch, true, RendererChoice::Accelerated, true},
        {true, 3000},
        true,
        100,
        platform::LANGUAGE_ENGLISH_UK};
    EXPECT_TRUE(others == otherExpected);
    EXPECT_TRUE(warnings.empty());
}

TEST(SettingsTest, EachBadValueIsWarnedWithFileLineAndKeyAndTheDefaultStays)
{
    const char* lines[] = {
        "fullscreen = maybe", "window_scale = 0",      "window_scale = 9",
        "window_scale = 2x",  "scaling = zoom",        "vsync = 1",
        "renderer = vulkan",  "mouse_grab = ",         "sound = off",
        "volume = 101",       "volume = -1",           "language = de",
        "controller = y",     "controller_speed = 49", "controller_speed = 3001"};
    for (const char* line : lines) {
        std::vector<std::string> warnings;
        const Settings settings = ParseSettings(std::string("\n") + line + "\n", "f.ini", warnings);
        ASSERT_EQ(warnings.size(), 1u) << line;
        const std::string key = std::string(line).substr(0, std::string(line).find(' '));
        EXPECT_TRUE(Contains(warnings[0], "f.ini:2: ")) << warnings[0];
        EXPECT_TRUE(Contains(warnings[0], "'" + key + "'")) << warnings[0];
        EXPECT_TRUE(Contains(warnings[0], "default")) << warnings[0];
        ExpectDefaults(settings);
    }
}

TEST(SettingsTest, UnknownKeysStrayLinesAndBinaryFilesAreWarnedAboutAndLeaveTheDefaults)
{
    std::vector<std::string> warnings;
    ExpectDefaults(ParseSettings("colour = red\n\nvolume\n", "f.ini", warnings));
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "f.ini:1: unknown key 'colour'");
    EXPECT_TRUE(Contains(warnings[1], "f.ini:3: 'volume' is not a key = value line"));

    warnings.clear();
    ExpectDefaults(ParseSettings("", "f.ini", warnings));
    EXPECT_TRUE(warnings.empty());

    // A picture saved over the file: its bytes are shown as question marks, and a flood of
    // bad lines is summed up after the first ten.
    std::string binary;
    for (int i = 0; i < 30; ++i) binary += std::string("\x89PNG\x01\x02=\xff\n", 9);
    binary += std::string("\0\0\0", 3);
    warnings.clear();
    ExpectDefaults(ParseSettings(binary, "f.ini", warnings));
    ASSERT_EQ(warnings.size(), 11u);
    EXPECT_EQ(warnings[0], "f.ini:1: unknown key '?png?\?'");
    EXPECT_EQ(warnings[10], "f.ini: 21 more lines not understood");
}

class SettingsFileTest : public test::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("XDG_CONFIG_HOME");
        // A folder that could not be made left a notice for the log; no later test hears it.
        platform::SetNoticeHook([](const char*) {});
        platform::SetNoticeHook(nullptr);
        TempFolderTest::TearDown();
    }
    static Settings Load(std::string& errors)
    {
        testing::internal::CaptureStderr();
        Settings settings = LoadSettings();
        errors = testing::internal::GetCapturedStderr();
        return settings;
    }
    const std::filesystem::path file = "config/killglimbot/killglimbot.ini";
};

TEST_F(SettingsFileTest, TheFirstStartWritesTheDefaultsAndLaterStartsReadThem)
{
    std::string errors;
    ExpectDefaults(Load(errors));
    EXPECT_EQ(errors, "");
    EXPECT_EQ(ReadFile(file), DefaultSettingsText());

    WriteFile(file, "volume = 30\nwindow_scale = 11\n");
    const Settings settings = Load(errors);
    EXPECT_EQ(settings.volume, 30);
    EXPECT_EQ(settings.window.windowScale, 2);
    EXPECT_TRUE(Contains(errors, (folder / file).string() + ":2: key 'window_scale'")) << errors;
    EXPECT_EQ(ReadFile(file), "volume = 30\nwindow_scale = 11\n"); // the player's file stays

    WriteFile(file, "");
    ExpectDefaults(Load(errors));
    EXPECT_EQ(errors, "");
    EXPECT_EQ(ReadFile(file), "");
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadOrWrittenLeavesTheDefaultsAndAWarning)
{
    std::filesystem::create_directories(file); // a folder where the file should be
    std::string errors;
    ExpectDefaults(Load(errors));
    EXPECT_TRUE(Contains(errors, "cannot read the settings file")) << errors;

    WriteFile("blocked", "a file where the settings folder should be");
    setenv("XDG_CONFIG_HOME", (folder / "blocked").c_str(), 1);
    ExpectDefaults(Load(errors));
    EXPECT_TRUE(Contains(errors, "cannot write the settings file")) << errors;
}

TEST(SettingsCommandLineTest, TheCommandLineWinsOverTheSettings)
{
    std::vector<std::string> warnings;
    const Settings settings =
        ParseSettings("fullscreen = yes\nwindow_scale = 5\nsound = no\n", "f.ini", warnings);
    const auto parse = [&settings](std::vector<const char*> words) {
        words.insert(words.begin(), "killglimbot");
        CommandLine commandLine;
        ApplySettings(settings, commandLine);
        std::string error;
        EXPECT_TRUE(
            ParseCommandLine(static_cast<int>(words.size()), words.data(), commandLine, error));
        return commandLine;
    };
    const CommandLine plain = parse({});
    EXPECT_TRUE(plain.backend.window.fullScreen);
    EXPECT_EQ(plain.backend.window.windowScale, 5);
    EXPECT_EQ(plain.gameCommandLine, "s"); // sound off, as the game's own s does it
    const CommandLine windowed = parse({"--window", "hello"});
    EXPECT_FALSE(windowed.backend.window.fullScreen);
    EXPECT_EQ(windowed.backend.window.windowScale, 5);
    EXPECT_EQ(windowed.gameCommandLine, "s hello");
    EXPECT_EQ(parse({"--window=3"}).backend.window.windowScale, 3);
    platform::SetMasterVolume(100);
    platform::SetDialogLanguage(0);
}

// The name dialog's language: the settings' choice over the locale, or the locale's.
TEST(SettingsCommandLineTest, TheSettingsChooseTheNameDialogsLanguage)
{
    RegisterGameResources();
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    const auto caption = [](const char* text, const char* locale) {
        std::vector<std::string> warnings;
        CommandLine commandLine;
        setenv("LANG", locale, 1);
        ApplySettings(ParseSettings(text, "f.ini", warnings), commandLine);
        return std::string(platform::FindDialogResource(KILLER_DIALOG)->caption);
    };
    const std::string italian = "Inserisci il tuo nome, Killer";
    EXPECT_EQ(caption("language = auto\n", "it_IT.UTF-8"), italian);
    EXPECT_EQ(caption("language = it\n", "C"), italian);
    EXPECT_EQ(caption("language = en\n", "it_IT.UTF-8"), "Insert your name, Killer");
    platform::SetDialogLanguage(0);
    unsetenv("LANG");
}

} // namespace
