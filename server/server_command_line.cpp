#include "server/server_command_line.h"

#include <algorithm>

namespace server {

bool ParseCommandLine(const std::vector<std::string>& words, CommandLine& line, std::string& error)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--help" || word == "-h") {
            line.help = true;
            continue;
        }
        if (word == "--version") {
            line.version = true;
            continue;
        }
        if (!word.starts_with("--")) {
            error = "'" + word + "' is not an option";
            return false;
        }
        const std::size_t equals = word.find('=');
        std::string key = word.substr(2, equals == std::string::npos ? equals : equals - 2);
        std::string value;
        if (equals != std::string::npos) {
            value = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            error = "--" + key + " needs a value";
            return false;
        }
        const auto& keys = SettingKeys();
        const bool known =
            key == "config" || key == "export" || key == "import"
            || std::any_of(keys.begin(), keys.end(), [&](auto& info) { return key == info.key; });
        if (!known) {
            error = "no option is called --" + key;
            return false;
        }
        if (key == "config") line.config = value;
        else if (key == "export") line.exportTo = value;
        else if (key == "import") line.importFrom = value;
        else line.settings.emplace_back(key, value);
    }
    if (!line.exportTo.empty() && !line.importFrom.empty()) {
        error = "--export and --import are two runs of the server, not one";
        return false;
    }
    return true;
}

std::string HelpText()
{
    std::string text =
        "Usage: killglimbot-server [OPTION VALUE]...\n"
        "The world Killer List: ranks the runs of Kill Glimbot that the game's own replay proves.\n"
        "Uploads: POST /api/runs with a journal (.kgr) as the body; the list: GET /api/killers.\n"
        "\n"
        "  --config FILE              read settings from FILE (key = value lines; default\n"
        "                             $XDG_CONFIG_HOME/killglimbot/server.ini when it exists)\n"
        "  --export DIR               write the whole list into the new or empty folder DIR\n"
        "                             (index.json and one run-ID.kgr a journal), then stop\n"
        "  --import DIR               list the runs of an export, each replayed again by the\n"
        "                             game, oldest first, then stop (exit status 3: some were\n"
        "                             skipped, each named on the standard error)\n";
    for (const SettingInfo& info : SettingKeys()) {
        std::string option = "  --" + std::string(info.key) + " " + info.value;
        option.resize(std::max<std::size_t>(option.size() + 1, 29), ' ');
        text += option + info.help + "\n";
    }
    text += "  --help                     this text\n"
            "  --version                  the server's version\n"
            "\n"
            "Every option can be a line of the settings file: listen = 0.0.0.0:8080.\n"
            "SIGTERM or SIGINT: the verifications under way are finished, then the server stops.\n";
    return text;
}

} // namespace server
