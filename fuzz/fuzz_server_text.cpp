// What the world list server parses itself, given the input as a client's or an operator's
// text: a request's query (and its numbers), a name, a settings file, a command line. Whatever
// the text, a number taken stays in its range and a name taken is one the game could store.

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "server/names.h"
#include "server/query_string.h"
#include "server/server_command_line.h"
#include "server/server_settings.h"

namespace {

void Check(bool holds)
{
    if (!holds) std::abort();
}

void FuzzQuery(std::string_view text)
{
    const auto query = server::Query::Parse(text);
    if (!query) return;
    std::uint64_t number = 0;
    std::string error;
    if (query->Number("count", 100, 1, 100, number, error)) Check(number >= 1 && number <= 100);
    if (const auto name = query->Get("name"); name && server::CheckName(*name, error)) {
        std::size_t characters = 0;
        for (const char c : *name) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        Check(characters <= server::NAME_LIMIT);
    }
}

void FuzzSettings(std::string_view text)
{
    server::Settings settings;
    std::string error;
    server::ApplySettingsText(settings, text, "server.ini", error);
    Check(settings.threads >= 1 && settings.threads <= 256);
    Check(settings.maxJournalBytes >= 64 && settings.maxJournalBytes <= (std::size_t {64} << 20));
    Check(settings.queueLength >= 1);
    std::vector<std::string> words;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        words.emplace_back(text.substr(at, end - at));
        at = end + 1;
    }
    server::CommandLine line;
    server::ParseCommandLine(words, line, error);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FuzzQuery(text);
    FuzzSettings(text);
    return 0;
}
