// Debugger output, the module's path and the temporary folder.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/kernel.h"
#include "platform/kernel/last_error.h"

namespace {

platform::DebugOutputHook debugOutputHook = nullptr;
bool debugOutputShown = false;

// Copies text into buffer of size bytes; answers the length copied, or the size needed
// (with ERROR_INSUFFICIENT_BUFFER) when it does not fit, as the platform's path calls do.
DWORD CopyPath(const char* text, LPSTR buffer, DWORD size)
{
    const auto length = static_cast<DWORD>(std::strlen(text));
    if (buffer == nullptr || size <= length) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return length + 1;
    }
    std::memcpy(buffer, text, length + 1);
    return length;
}

} // namespace

void OutputDebugStringA(LPCSTR text)
{
    if (text == nullptr) return;
    if (debugOutputHook != nullptr) debugOutputHook(text);
    else if (debugOutputShown) std::fputs(text, stderr);
}

void platform::ShowDebugOutput(bool show) { debugOutputShown = show; }

platform::DebugOutputHook platform::SetDebugOutputHook(DebugOutputHook hook)
{
    const DebugOutputHook previous = debugOutputHook;
    debugOutputHook = hook;
    return previous;
}

DWORD GetModuleFileNameA(HINSTANCE, LPSTR fileName, DWORD size)
{
    if (fileName == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const ssize_t length = readlink("/proc/self/exe", fileName, size - 1);
    if (length < 0) {
        platform::SetLastErrorFromErrno(errno);
        fileName[0] = '\0';
        return 0;
    }
    fileName[length] = '\0';
    // Like the platform, a path cut to fit answers the full size and says so.
    if (static_cast<DWORD>(length) == size - 1) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    return static_cast<DWORD>(length);
}

DWORD GetTempPathA(DWORD size, LPSTR buffer)
{
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || folder[0] == '\0') folder = "/tmp";
    char path[MAX_PATH + 2];
    const bool hasSlash = folder[std::strlen(folder) - 1] == '/';
    if (std::snprintf(path, sizeof path, "%s%s", folder, hasSlash ? "" : "/")
        >= static_cast<int>(sizeof path)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    return CopyPath(path, buffer, size);
}
