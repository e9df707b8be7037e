#pragma once
// The server's settings: built-in defaults, then a settings file of "key = value" lines, then
// the command line, whose options are the same keys ("--listen 0.0.0.0:8080" or
// "--listen=0.0.0.0:8080"). A key or a value that is not understood stops the server with one
// line naming it: a limit that silently fell back to its default would be worse on a public
// server than a refusal to start.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace server {

struct Settings {
    std::string listenHost = "127.0.0.1";
    std::uint16_t listenPort = 8080;
    std::string database; // a file; empty: the XDG data folder's
    std::string page;     // the page's folder; empty: the API alone
    std::string game;     // the game to verify with; empty: the one beside the server
    std::string gameData; // the game's --data; empty: the game finds its own
    std::size_t threads = 2;
    // Uploads
    std::size_t maxJournalBytes = std::size_t {4} << 20;
    std::size_t verifiers = 0; // at most this many verifications at once; 0: one per core
    std::size_t queueLength = 64;
    std::size_t verifySeconds = 60;     // processor time of one verification
    std::size_t verifyMemoryMiB = 1024; // address space of one verification
    std::size_t uploadsPerMinute = 30;  // from one address, after a burst of as many
    // Connections
    std::size_t maxConnections = 1024;
    std::size_t headerSeconds = 10; // to send a request's head
    std::size_t bodySeconds = 60;   // to send its body
    std::size_t idleSeconds = 15;   // between requests on one connection
    std::size_t maxHeaderBytes = 16 * 1024;
    std::vector<std::string> corsOrigins;    // pages on these origins may use the API
    std::vector<std::string> trustedProxies; // addresses whose X-Forwarded-For is believed
};

// One setting the file or the command line can give.
struct SettingInfo {
    const char* key;
    const char* value; // what the value looks like, for the help
    const char* help;
};
const std::vector<SettingInfo>& SettingKeys();

// Sets `key` to `value`; false, with the reason in `error`, when the key is unknown or the
// value out of its range.
bool ApplySetting(Settings& settings, std::string_view key, std::string_view value,
                  std::string& error);

// The settings file's text over `settings`: blank lines and lines starting with '#' are
// skipped. False with "FILE:LINE: reason" in `error` at the first line not understood.
bool ApplySettingsText(Settings& settings, std::string_view text, std::string_view file,
                       std::string& error);

} // namespace server
