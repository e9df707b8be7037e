#include "server/server_settings.h"

#include <charconv>
#include <functional>

namespace server {
namespace {

bool ParseNumber(std::string_view text, std::size_t lowest, std::size_t highest,
                 std::size_t& number)
{
    std::size_t value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc {} || end != text.data() + text.size()) return false;
    if (value < lowest || value > highest) return false;
    number = value;
    return true;
}

bool ParseListen(std::string_view text, Settings& settings)
{
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    std::size_t port = 0;
    if (!ParseNumber(text.substr(colon + 1), 0, 65535, port)) return false;
    std::string_view host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    settings.listenHost = host;
    settings.listenPort = static_cast<std::uint16_t>(port);
    return true;
}

std::vector<std::string> SplitWords(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t,", at);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(text.find_first_of(" \t,", start), text.size());
        words.emplace_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

using Setter = std::function<bool(Settings&, std::string_view)>;

Setter Text(std::string Settings::*field)
{
    return [field](Settings& settings, std::string_view value) {
        settings.*field = value;
        return true;
    };
}

Setter Number(std::size_t Settings::*field, std::size_t lowest, std::size_t highest)
{
    return [=](Settings& settings, std::string_view value) {
        return ParseNumber(value, lowest, highest, settings.*field);
    };
}

Setter Words(std::vector<std::string> Settings::*field)
{
    return [field](Settings& settings, std::string_view value) {
        settings.*field = SplitWords(value);
        return true;
    };
}

struct Setting {
    SettingInfo info;
    Setter set;
};

const std::vector<Setting>& Table()
{
    static const std::vector<Setting> table = {
        {{"listen", "ADDRESS:PORT", "where to take connections (127.0.0.1:8080)"},
         [](Settings& settings, std::string_view value) { return ParseListen(value, settings); }},
        {{"database", "FILE|URI",
          "an SQLite file (the XDG data folder's world.sqlite) or a PostgreSQL "
          "database (postgresql://... or \"host=... dbname=...\")"},
         Text(&Settings::database)},
        {{"page", "DIR", "serve the page's files from DIR at / (none)"}, Text(&Settings::page)},
        {{"game", "FILE",
          "the game that verifies runs (the killglimbot installed with the server)"},
         Text(&Settings::game)},
        {{"game-data", "DIR", "the game's data folder (the game finds its own)"},
         Text(&Settings::gameData)},
        {{"threads", "N", "threads answering requests (2)"}, Number(&Settings::threads, 1, 256)},
        {{"max-journal-bytes", "N", "the largest journal taken (4194304)"},
         Number(&Settings::maxJournalBytes, 64, std::size_t {64} << 20)},
        {{"verifiers", "N", "verifications at once (0: one per core)"},
         Number(&Settings::verifiers, 0, 256)},
        {{"queue-length", "N", "verifications waiting before uploads are refused (64)"},
         Number(&Settings::queueLength, 1, 100000)},
        {{"verify-seconds", "N", "processor seconds one verification may take (60)"},
         Number(&Settings::verifySeconds, 1, 3600)},
        {{"verify-memory-mib", "N", "address space of one verification, MiB (1024)"},
         Number(&Settings::verifyMemoryMiB, 64, 1 << 20)},
        {{"uploads-per-minute", "N", "uploads one address may send a minute, 0 for any (30)"},
         Number(&Settings::uploadsPerMinute, 0, 1000000)},
        {{"max-connections", "N", "connections open at once (1024)"},
         Number(&Settings::maxConnections, 1, 1000000)},
        {{"header-seconds", "N", "time to send a request's head (10)"},
         Number(&Settings::headerSeconds, 1, 3600)},
        {{"body-seconds", "N", "time to send a request's body (60)"},
         Number(&Settings::bodySeconds, 1, 3600)},
        {{"idle-seconds", "N", "a connection's rest between requests (15)"},
         Number(&Settings::idleSeconds, 1, 3600)},
        {{"max-header-bytes", "N", "the largest request head (16384)"},
         Number(&Settings::maxHeaderBytes, 1024, 1 << 20)},
        {{"cors-origins", "ORIGIN...", "pages on these origins may use the API (none)"},
         Words(&Settings::corsOrigins)},
        {{"trusted-proxies", "ADDRESS...", "believe X-Forwarded-For from these addresses (none)"},
         Words(&Settings::trustedProxies)},
    };
    return table;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    const std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

} // namespace

const std::vector<SettingInfo>& SettingKeys()
{
    static const std::vector<SettingInfo> keys = [] {
        std::vector<SettingInfo> infos;
        for (const Setting& setting : Table()) infos.push_back(setting.info);
        return infos;
    }();
    return keys;
}

bool ApplySetting(Settings& settings, std::string_view key, std::string_view value,
                  std::string& error)
{
    for (const Setting& setting : Table()) {
        if (key != setting.info.key) continue;
        if (setting.set(settings, value)) return true;
        error = "'" + std::string(value) + "' is no value for " + std::string(key) + " ("
                + setting.info.value + ")";
        return false;
    }
    error = "no setting is called '" + std::string(key) + "'";
    return false;
}

bool ApplySettingsText(Settings& settings, std::string_view text, std::string_view file,
                       std::string& error)
{
    std::size_t lineNumber = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = Trimmed(text.substr(at, end - at));
        at = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        std::string reason = "a setting is 'key = value'";
        if (equals != std::string_view::npos
            && ApplySetting(settings, Trimmed(line.substr(0, equals)),
                            Trimmed(line.substr(equals + 1)), reason))
            continue;
        error = std::string(file) + ":" + std::to_string(lineNumber) + ": " + reason;
        return false;
    }
    return true;
}

} // namespace server
