#include "shell/command_line.h"

#include <charconv>
#include <string_view>

namespace {

constexpr int largestWindowScale = 8;

bool ReadUnsigned(std::string_view text, unsigned long& value)
{
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ReadScreenshot(std::string_view text, CommandLine& result)
{
    const auto colon = text.find(':');
    unsigned long time = 0;
    if (colon == std::string_view::npos || colon + 1 == text.size()
        || !ReadUnsigned(text.substr(0, colon), time) || time > 0x7FFFFFFF) {
        return false;
    }
    result.backend.screenshots.push_back(
        {static_cast<DWORD>(time), std::string(text.substr(colon + 1))});
    return true;
}

// Without a scale the window keeps the one it has (the settings' or the default).
bool ReadWindowScale(std::string_view text, CommandLine& result)
{
    platform::WindowOptions& window = result.backend.window;
    unsigned long scale = static_cast<unsigned long>(window.windowScale);
    if (!text.empty() && (!ReadUnsigned(text, scale) || scale < 1 || scale > largestWindowScale)) {
        return false;
    }
    window.fullScreen = false;
    window.windowScale = static_cast<int>(scale);
    return true;
}

// Takes the option's value from "--name=value" or from the next word; null when there is none.
const char* OptionValue(std::string_view word, std::string_view name, int& index, int argc,
                        const char* const* argv)
{
    if (word.size() > name.size()) return argv[index] + name.size() + 1;
    return index + 1 < argc ? argv[++index] : nullptr;
}

// The flag an option without a value sets, or null for another option.
bool* SwitchOf(std::string_view name, CommandLine& result)
{
    if (name == "--headless") return &result.backend.headless;
    if (name == "--report") return &result.report;
    if (name == "--verbose") return &result.verbose;
    if (name == "--help") return &result.showHelp;
    if (name == "--version") return &result.showVersion;
    return nullptr;
}

bool ParseOption(std::string_view word, int& index, int argc, const char* const* argv,
                 CommandLine& result)
{
    const std::string_view name = word.substr(0, word.find('='));
    const bool hasValue = name.size() < word.size();
    if (name == "--window")
        return ReadWindowScale(hasValue ? word.substr(name.size() + 1) : "", result);
    if (bool* flag = SwitchOf(name, result)) {
        *flag = true;
        return !hasValue;
    }
    const char* value = OptionValue(word, name, index, argc, argv);
    if (value == nullptr || *value == '\0') return false;
    if (name == "--script") result.backend.scriptPath = value;
    else if (name == "--wav") result.backend.wavPath = value;
    else if (name == "--data") result.folders.dataFolder = value;
    else if (name == "--save") result.folders.saveFolder = value;
    else if (name == "--record") result.recordPath = value;
    else if (name == "--play") result.playPath = value;
    else if (name == "--verify") result.verifyPath = value;
    else if (name == "--screenshot") return ReadScreenshot(value, result);
    else return false;
    return true;
}

// Verifying needs no display.
bool CheckReplayOptions(CommandLine& result, std::string& error)
{
    if (!result.playPath.empty() && !result.verifyPath.empty()) {
        error = "--play and --verify go alone";
        return false;
    }
    result.backend.replaying = !result.playPath.empty() || !result.verifyPath.empty();
    result.backend.headless |= !result.verifyPath.empty();
    return true;
}

} // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& result, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (!word.starts_with("--")) {
            if (!result.gameCommandLine.empty()) result.gameCommandLine += ' ';
            result.gameCommandLine += word;
        } else if (!ParseOption(word, i, argc, argv, result)) {
            error = "bad option '" + std::string(word) + "'";
            return false;
        }
    }
    if (!CheckReplayOptions(result, error)) return false;
    const platform::BackendOptions& backend = result.backend;
    if (!backend.headless
        && (!backend.scriptPath.empty() || !backend.wavPath.empty()
            || !backend.screenshots.empty())) {
        error = "--script, --screenshot and --wav go with --headless";
        return false;
    }
    return true;
}

const char* CommandLineHelp()
{
    return "usage: killglimbot [OPTION]... [WORD]...\n"
           "Shoot the glimbots. WORDs form the game's command line: a lower-case s turns the sound "
           "off.\n"
           "  --window[=SCALE]          play in a window of integer scale (default: the "
           "settings'\n"
           "                            window_scale, 2), not full screen\n"
           "  --headless                no window and no audio device; time is virtual\n"
           "  --script FILE             headless: input events, one a line (MS move X Y, MS "
           "click,\n"
           "                            MS dblclick, MS key VK, MS text WORD, MS close)\n"
           "  --screenshot MS:FILE.png  headless: save the screen at virtual time MS (repeatable)\n"
           "  --wav FILE.wav            headless: write the mixed sound to a WAV file\n"
           "  --report                  at exit, print kills, peakScore, score and frames as JSON\n"
           "  --data DIR                read the game's data from DIR\n"
           "  --save DIR                keep the Killer List, screenshots and the log in DIR\n"
           "  --verbose                 show the diagnostic output on standard error\n"
           "  --record FILE             record this run to FILE (never replaces a file)\n"
           "  --play FILE               watch a recorded run (Escape stops, F: four times faster)\n"
           "  --verify FILE             replay a recorded run headless and check its result\n"
           "  --help                    show this help and exit\n"
           "  --version                 show the version and exit\n"
           "Settings are read from $XDG_CONFIG_HOME/killglimbot/killglimbot.ini\n"
           "(~/.config/killglimbot/), written with their defaults on the first start;\n"
           "the options above win over them.\n";
}
