#include "server/request_log.h"

#include <cstdio>
#include <ctime>
#include <mutex>

namespace server {
namespace {

constexpr std::size_t longestText = 512;

std::mutex logMutex;

} // namespace

std::string LogSafe(std::string_view text)
{
    std::string safe;
    for (const char c : text.substr(0, longestText)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            safe += escaped;
        } else {
            safe += c;
        }
    }
    if (text.size() > longestText) safe += "...";
    return safe;
}

void LogRequest(const std::string& client, std::string_view method, std::string_view target,
                unsigned version, unsigned status, std::size_t bytes, double seconds)
{
    const std::time_t now = std::time(nullptr);
    std::tm utc {};
    gmtime_r(&now, &utc);
    char date[40];
    std::strftime(date, sizeof date, "%d/%b/%Y:%H:%M:%S +0000", &utc);
    const std::string line = client + " - - [" + date + "] \"" + LogSafe(method) + " "
                             + LogSafe(target) + " HTTP/" + std::to_string(version / 10) + "."
                             + std::to_string(version % 10) + "\" " + std::to_string(status) + " "
                             + std::to_string(bytes);
    std::lock_guard lock(logMutex);
    std::printf("%s %.3f\n", line.c_str(), seconds);
}

void FlushLog()
{
    std::lock_guard lock(logMutex);
    std::fflush(stdout);
}

} // namespace server
