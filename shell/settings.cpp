// The settings' keys, each with its comment, its default and how its value is read.

#include "shell/settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "platform/resources.h"

namespace {

using platform::present::RendererChoice;
using platform::present::Scaling;

constexpr std::size_t mostWarnings = 10;

bool ReadYesNo(std::string_view text, bool& value)
{
    if (text != "yes" && text != "no") return false;
    value = text == "yes";
    return true;
}

bool ReadNumber(std::string_view text, int lowest, int highest, int& value)
{
    int number = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (status != std::errc() || end != text.data() + text.size() || number < lowest
        || number > highest) {
        return false;
    }
    value = number;
    return true;
}

template <typename T, std::size_t N>
bool ReadWord(std::string_view text, const std::array<std::pair<std::string_view, T>, N>& words,
              T& value)
{
    for (const auto& [word, meaning] : words) {
        if (text == word) {
            value = meaning;
            return true;
        }
    }
    return false;
}

constexpr std::array<std::pair<std::string_view, Scaling>, 3> scalings {
    {{"integer", Scaling::Integer}, {"fit", Scaling::Fit}, {"stretch", Scaling::Stretch}}};
constexpr std::array<std::pair<std::string_view, RendererChoice>, 3> renderers {
    {{"auto", RendererChoice::Auto},
     {"accelerated", RendererChoice::Accelerated},
     {"software", RendererChoice::Software}}};
constexpr std::array<std::pair<std::string_view, WORD>, 3> languages {
    {{"auto", 0}, {"en", platform::LANGUAGE_ENGLISH_UK}, {"it", platform::LANGUAGE_ITALIAN}}};

struct Key {
    std::string_view name;
    std::string_view comment;
    std::string_view byDefault;
    std::string_view expected;
    bool (*read)(std::string_view text, Settings& settings);
};

constexpr std::array<Key, 11> keys {{
    {"fullscreen", "Start in full screen (yes) or in a window (no); Alt+Enter switches.", "yes",
     "yes or no",
     [](std::string_view text, Settings& s) { return ReadYesNo(text, s.window.fullScreen); }},
    {"window_scale", "The window's size in whole multiples of 640 x 480, 1 to 8.", "2", "1 to 8",
     [](std::string_view text, Settings& s) {
         return ReadNumber(text, 1, 8, s.window.windowScale);
     }},
    {"scaling",
     "integer (whole multiples, black borders), fit (the largest 4:3 picture) or stretch.", "fit",
     "integer, fit or stretch",
     [](std::string_view text, Settings& s) { return ReadWord(text, scalings, s.window.scaling); }},
    {"vsync", "Show each picture at the display's refresh (yes/no), with a graphics card.", "yes",
     "yes or no",
     [](std::string_view text, Settings& s) { return ReadYesNo(text, s.window.vsync); }},
    {"renderer", "auto, accelerated (OpenGL) or software (straight into the window).", "auto",
     "auto, accelerated or software",
     [](std::string_view text, Settings& s) {
         return ReadWord(text, renderers, s.window.renderer);
     }},
    {"mouse_grab", "Keep the pointer inside the window while the game has the focus (yes/no).",
     "yes", "yes or no",
     [](std::string_view text, Settings& s) { return ReadYesNo(text, s.window.mouseGrab); }},
    {"sound", "Play sound (yes/no); an s on the command line turns it off too.", "yes", "yes or no",
     [](std::string_view text, Settings& s) { return ReadYesNo(text, s.sound); }},
    {"volume", "Master volume, 0 (silent) to 100 (full).", "100", "0 to 100",
     [](std::string_view text, Settings& s) { return ReadNumber(text, 0, 100, s.volume); }},
    {"language", "Language of the name dialog: auto (from the locale), en or it.", "auto",
     "auto, en or it",
     [](std::string_view text, Settings& s) { return ReadWord(text, languages, s.language); }},
    {"controller", "Aim and shoot with a game controller (yes/no).", "yes", "yes or no",
     [](std::string_view text, Settings& s) { return ReadYesNo(text, s.controller.enabled); }},
    {"controller_speed", "Crosshair speed, pixels a second with the stick all the way, 50 to 3000.",
     "600", "50 to 3000",
     [](std::string_view text, Settings& s) {
         return ReadNumber(text, 50, 3000, s.controller.speed);
     }},
}};

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A damaged file's bytes are shown as question marks, and never at length.
std::string Printable(std::string_view text)
{
    std::string shown(text.substr(0, 40));
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    }
    return shown;
}

// Keys and words are taken in any case: "Yes" and "FIT" mean what they say.
std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

const Key* FindKey(std::string_view name)
{
    const auto found =
        std::find_if(keys.begin(), keys.end(), [name](const Key& key) { return key.name == name; });
    return found != keys.end() ? &*found : nullptr;
}

// What is wrong with one line, or empty when it is fine.
std::string ReadLine(std::string_view line, Settings& settings)
{
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return "'" + Printable(line) + "' is not a key = value line";
    const std::string name = Lower(Trim(line.substr(0, equals)));
    const std::string value = Lower(Trim(line.substr(equals + 1)));
    const Key* key = FindKey(name);
    if (key == nullptr) return "unknown key '" + Printable(name) + "'";
    if (key->read(value, settings)) return {};
    return "key '" + name + "': '" + Printable(value) + "' is not " + std::string(key->expected)
           + "; the default " + std::string(key->byDefault) + " is kept";
}

} // namespace

Settings ParseSettings(std::string_view text, std::string_view file,
                       std::vector<std::string>& warnings)
{
    Settings settings;
    std::size_t problems = 0;
    int number = 0;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        const std::string problem = ReadLine(line, settings);
        if (problem.empty()) continue;
        if (++problems <= mostWarnings)
            warnings.push_back(std::string(file) + ":" + std::to_string(number) + ": " + problem);
    }
    if (problems > mostWarnings) {
        warnings.push_back(std::string(file) + ": " + std::to_string(problems - mostWarnings)
                           + " more lines not understood");
    }
    return settings;
}

std::string DefaultSettingsText()
{
    std::string text = "# Kill Glimbot's settings. Options on the command line win for one run.\n";
    for (const Key& key : keys) {
        text += "\n# " + std::string(key.comment) + "\n";
        text += std::string(key.name) + " = " + std::string(key.byDefault) + "\n";
    }
    return text;
}
