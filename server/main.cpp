// killglimbot-server: the world Killer List. Reads its settings, opens the list, and answers
// HTTP until SIGTERM or SIGINT, after which the verifications under way are finished.

#include <signal.h>
#include <unistd.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "server/bounded_file.h"
#include "server/http_server.h"
#include "server/list_export.h"
#include "server/list_import.h"
#include "server/request_log.h"
#include "server/server_command_line.h"

namespace {

namespace asio = boost::asio;
using namespace server;

constexpr std::size_t largestSettingsFile = 64 * 1024;
// After the verifications are done, the answers still being written get this long.
constexpr auto lastWrites = std::chrono::seconds(10);
// A list that other servers also add to shows their entries after at most this long.
constexpr ListCache::Clock::duration sharedListLife = std::chrono::milliseconds(500);
// The request log reaches its file at least this often.
constexpr auto logFlush = std::chrono::milliseconds(250);

void FlushLogEvery(asio::steady_timer& timer)
{
    timer.expires_after(logFlush);
    timer.async_wait([&timer](const boost::system::error_code& failure) {
        FlushLog();
        if (!failure) FlushLogEvery(timer);
    });
}

int Fail(const std::string& message, int status = 1)
{
    std::fprintf(stderr, "killglimbot-server: %s\n", message.c_str());
    return status;
}

std::string XdgFolder(const char* variable, const char* fallback)
{
    const char* set = std::getenv(variable);
    if (set != nullptr && set[0] == '/') return set;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/" + fallback;
}

// The game that verifies: the one built beside the server, else the one installed with it
// (under /usr the game goes to games/, the server to bin/).
std::string InstalledGame()
{
    std::error_code ignored;
    const auto folder = std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
    const auto beside = folder / "killglimbot";
    if (access(beside.c_str(), X_OK) == 0) return beside.string();
    return (folder.parent_path() / "games" / "killglimbot").string();
}

bool ReadSettingsFile(const std::string& path, bool mustExist, Settings& settings,
                      std::string& error)
{
    std::string text;
    switch (ReadBoundedFile(path, largestSettingsFile, text)) {
    case BoundedRead::Unreadable:
        if (mustExist) error = "cannot read the settings file " + path;
        return !mustExist;
    case BoundedRead::TooLarge: error = path + " is larger than a settings file"; return false;
    case BoundedRead::Read: break;
    }
    return ApplySettingsText(settings, text, path, error);
}

bool ChooseSettings(const CommandLine& line, Settings& settings, std::string& error)
{
    const std::string path =
        line.config.empty() ? XdgFolder("XDG_CONFIG_HOME", ".config") + "/killglimbot/server.ini"
                            : line.config;
    if (!ReadSettingsFile(path, !line.config.empty(), settings, error)) return false;
    for (const auto& [key, value] : line.settings)
        if (!ApplySetting(settings, key, value, error)) {
            error = "--" + key + ": " + error;
            return false;
        }
    if (settings.database.empty())
        settings.database =
            XdgFolder("XDG_DATA_HOME", ".local/share") + "/killglimbot/world.sqlite";
    if (settings.game.empty()) settings.game = InstalledGame();
    if (settings.verifiers == 0)
        settings.verifiers = std::max(1u, std::thread::hardware_concurrency());
    if (access(settings.game.c_str(), X_OK) != 0) {
        error = "cannot run the game " + settings.game + " that verifies the runs";
        return false;
    }
    return true;
}

VerifierOptions VerifierChoice(const Settings& settings)
{
    VerifierOptions options {
        settings.game, settings.gameData, settings.verifiers, settings.queueLength, {}};
    options.limits.cpuSeconds = settings.verifySeconds;
    options.limits.deadline = std::chrono::seconds(settings.verifySeconds * 2 + 5);
#if !defined(__SANITIZE_ADDRESS__)
    // A sanitized game reserves terabytes of address space for its shadow memory.
    options.limits.addressSpaceBytes = settings.verifyMemoryMiB << 20;
#endif
    return options;
}

int Export(Storage& storage, const std::string& folder)
{
    std::string error;
    const auto written = ExportList(storage, folder, error);
    if (!written) return Fail(error);
    std::printf("killglimbot-server: exported %zu entries into %s\n", *written, folder.c_str());
    return 0;
}

// Replays every exported run again; 3 when some were skipped.
int Import(Storage& storage, const Settings& settings, const std::string& folder)
{
    Verifier verifier;
    std::string error;
    if (!verifier.Start(VerifierChoice(settings), error)) return Fail(error);
    ImportCount count;
    const bool imported = ImportList(
        storage, verifier, folder, settings.maxJournalBytes,
        [](const std::string& line) {
            std::fprintf(stderr, "killglimbot-server: %s\n", line.c_str());
        },
        count, error);
    verifier.Drain();
    std::printf("killglimbot-server: imported %zu entries, %zu listed already, %zu skipped\n",
                count.added, count.present, count.skipped);
    if (!imported) return Fail(error);
    return count.skipped == 0 ? 0 : 3;
}

// The end: no new connections, every verification submitted finished and answered.
void Drain(asio::io_context& io, HttpServer& http, Verifier& verifier, std::thread& drainer)
{
    http.StopAccepting();
    drainer = std::thread([&io, &http, &verifier] {
        verifier.Drain();
        const auto deadline = std::chrono::steady_clock::now() + lastWrites;
        while (http.Busy() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        http.Stop();
        io.stop();
    });
}

} // namespace

int main(int argc, char** argv)
{
    CommandLine line;
    std::string error;
    if (!ParseCommandLine({argv + 1, argv + argc}, line, error))
        return Fail(error + "\nTry 'killglimbot-server --help'.", 2);
    if (line.help || line.version) {
        std::fputs(line.help ? HelpText().c_str() : "killglimbot-server " KG_VERSION "\n", stdout);
        return 0;
    }
    Settings settings;
    if (!ChooseSettings(line, settings, error)) return Fail(error, 2);
    signal(SIGPIPE, SIG_IGN);
    const auto storage = OpenStorage(settings.database, error);
    if (!storage) return Fail("cannot open " + StorageName(settings.database) + ": " + error);
    if (!line.exportTo.empty()) return Export(*storage, line.exportTo);
    if (!line.importFrom.empty()) return Import(*storage, settings, line.importFrom);
    PageFiles page;
    if (!settings.page.empty() && !page.Load(settings.page, error)) return Fail(error);
    asio::io_context io(1);
    Verifier verifier;
    Metrics metrics;
    RateLimit uploads(settings.uploadsPerMinute);
    ListCache list(storage->Shared() ? std::optional(sharedListLife) : std::nullopt);
    Api api {settings, *storage, verifier, metrics, uploads, page, list};
    HttpServer http(io, api, settings);
    if (!http.Listen(error)) return Fail(error);
    if (!verifier.Start(VerifierChoice(settings), error)) return Fail(error);
    std::fprintf(stderr, "killglimbot-server: the world Killer List on http://%s:%u/ (%s)\n",
                 settings.listenHost.c_str(), http.Port(), StorageName(settings.database).c_str());
    http.Start();
    asio::signal_set signals(io, SIGTERM, SIGINT);
    std::thread drainer;
    signals.async_wait([&](const boost::system::error_code& failure, int) {
        if (!failure) Drain(io, http, verifier, drainer);
    });
    asio::steady_timer flushing(io);
    FlushLogEvery(flushing);
    io.run();
    if (drainer.joinable()) drainer.join();
    FlushLog();
    std::fprintf(stderr, "killglimbot-server: stopped\n");
    return 0;
}
