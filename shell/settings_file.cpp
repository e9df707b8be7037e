// The settings file in the player's settings folder, and what its settings change.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/dsound.h"
#include "platform/folders.h"
#include "platform/resources.h"
#include "shell/command_line.h"
#include "shell/settings.h"

namespace {

constexpr char fileName[] = "killglimbot.ini";
// Far more than any settings file; a larger one is not a settings file.
constexpr std::streamsize largestFile = 64 * 1024;

void Warn(const std::string& text) { std::fprintf(stderr, "killglimbot: %s\n", text.c_str()); }

void WriteDefaults()
{
    const std::string path = platform::UserFilePath(platform::UserFolder::Config, fileName);
    std::ofstream out(path, std::ios::binary);
    out << DefaultSettingsText();
    out.flush();
    if (!out) Warn("cannot write the settings file " + path + ": " + std::strerror(errno));
}

} // namespace

Settings LoadSettings()
{
    const std::string path =
        platform::UserFolderPath(platform::UserFolder::Config) + '/' + fileName;
    std::error_code missing;
    if (!std::filesystem::exists(path, missing) && !missing) {
        WriteDefaults();
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(largestFile), '\0');
    in.read(text.data(), largestFile);
    if (in.bad() || (!in && !in.eof()) || !in.is_open()) {
        Warn("cannot read the settings file " + path + ": " + std::strerror(errno)
             + "; the defaults are used");
        return {};
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    std::vector<std::string> warnings;
    Settings settings = ParseSettings(text, path, warnings);
    for (const std::string& warning : warnings) Warn(warning);
    return settings;
}

void ApplySettings(const Settings& settings, CommandLine& commandLine)
{
    commandLine.backend.window = settings.window;
    commandLine.backend.controller = settings.controller;
    // The game itself turns its sound off for an s on its command line.
    if (!settings.sound) commandLine.gameCommandLine = "s";
    platform::SetMasterVolume(settings.volume);
    platform::SetDialogLanguage(settings.language);
}
