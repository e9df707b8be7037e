#include "shell/run_report.h"

#include <cstdio>

#include "shell/killer_list_screen.h"

namespace {

// A Latin-1 text as a JSON string: every byte is its own code point, escaped past ASCII so
// that the line stays ASCII whatever the player typed.
std::string JsonText(const char* latin1)
{
    std::string out = "\"";
    for (const char* p = latin1; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        char escaped[8];
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace

std::string RunReport(const platform::RunResult& result, bool verifying)
{
    char line[160];
    std::snprintf(line, sizeof line,
                  "{\"kills\": %u, \"peakScore\": %d, \"score\": %d, \"frames\": %u", result.kills,
                  result.peakScore, result.score, result.frames);
    std::string report = line;
    const auto start = platform::RunStartDigest();
    if (verifying && start) {
        std::snprintf(line, sizeof line, ", \"start\": \"%016llx\"",
                      static_cast<unsigned long long>(*start));
        report += line;
    }
    if (verifying && TypedKillerName() != nullptr)
        report += ", \"name\": " + JsonText(TypedKillerName());
    return report + "}\n";
}
