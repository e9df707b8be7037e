#pragma once
// The player's settings: one "key = value" a line in killglimbot.ini in the player's settings
// folder, written with every key, its default and a comment on the first start.

#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.h"
#include "platform/windef.h"

struct Settings {
    platform::WindowOptions window;
    platform::ControllerOptions controller;
    bool sound = true;
    int volume = 100;  // 0 to 100
    WORD language = 0; // the name dialog's: 0 follows the locale
    bool operator==(const Settings&) const = default;
};

// The settings a text gives; every line that is not understood adds one warning naming the
// file, the line and the key, and leaves that setting at its default.
Settings ParseSettings(std::string_view text, std::string_view file,
                       std::vector<std::string>& warnings);

// The file as the first start writes it: every key with its default, a comment above each.
std::string DefaultSettingsText();

// Reads the player's settings file, writing the defaults first when there is none. Whatever
// goes wrong is said on standard error and leaves the defaults; the game always starts.
Settings LoadSettings();

// Puts the settings into the options the command line is then read over, and hands the volume
// and the language to the platform.
struct CommandLine;
void ApplySettings(const Settings& settings, CommandLine& commandLine);
