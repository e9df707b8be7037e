#pragma once
// The server's command line: --help, --version, --config FILE, and every setting as an option
// of its own name.

#include <string>
#include <vector>

#include "server/server_settings.h"

namespace server {

struct CommandLine {
    bool help = false;
    bool version = false;
    std::string config; // the settings file; empty: the default one, when it exists
    // Instead of serving: the list written into this folder, or read from it.
    std::string exportTo;
    std::string importFrom;
    // Every other option as a setting, in order.
    std::vector<std::pair<std::string, std::string>> settings;
};

// False, with the reason in `error`, for an option that is not one or lacks its value.
bool ParseCommandLine(const std::vector<std::string>& words, CommandLine& line, std::string& error);
std::string HelpText();

} // namespace server
