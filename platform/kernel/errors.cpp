// The last error, its message texts, and the mapping from POSIX errors.

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/kernel.h"
#include "platform/kernel/last_error.h"
#include "platform/port/system_errors.h"

namespace {

// One program thread owns the game, but the audio thread may call into the layer too.
thread_local DWORD lastError = ERROR_SUCCESS;

} // namespace

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD errorCode) { lastError = errorCode; }

namespace platform {

void SetLastErrorFromErrno(int err) { SetLastError(ErrorFromErrno(err)); }

} // namespace platform

DWORD FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPSTR buffer, DWORD size,
                     std::va_list*)
{
    const char* text =
        (flags & FORMAT_MESSAGE_FROM_SYSTEM) ? platform::SystemErrorText(messageId) : nullptr;
    if (text == nullptr || buffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD length = static_cast<DWORD>(std::strlen(text));
    char* out = buffer;
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        out = static_cast<char*>(std::malloc(length + 1));
        if (out == nullptr) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
        *reinterpret_cast<char**>(buffer) = out;
    } else if (size <= length) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(out, text, length + 1);
    return length;
}

HLOCAL LocalFree(HLOCAL memory)
{
    std::free(memory);
    return nullptr;
}
