#pragma once
// One line per request on standard output, in the common log format with the time taken:
//   127.0.0.1 - - [08/Dec/2026:17:46:35 +0000] "GET /api/killers HTTP/1.1" 200 1234 0.001
// What came from the client is escaped and cut, so that a line is always one line. Lines are
// written out by FlushLog, which the server calls a few times a second: a write a request
// would cost as much as the answer to a small request.

#include <string>
#include <string_view>

namespace server {

void LogRequest(const std::string& client, std::string_view method, std::string_view target,
                unsigned version, unsigned status, std::size_t bytes, double seconds);
void FlushLog();
// The escaped, shortened form of a client's text in a log line.
std::string LogSafe(std::string_view text);

} // namespace server
