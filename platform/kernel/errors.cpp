// The last error, its message texts, and the mapping from POSIX errors.

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/kernel.h"
#include "platform/kernel/last_error.h"

namespace {

// One program thread owns the game, but the audio thread may call into the layer too.
thread_local DWORD lastError = ERROR_SUCCESS;

struct ErrorText {
    DWORD code;
    const char* text;
};

constexpr ErrorText errorTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
    {ERROR_FILE_NOT_FOUND, "The file does not exist.\r\n"},
    {ERROR_PATH_NOT_FOUND, "A folder in the path does not exist.\r\n"},
    {ERROR_TOO_MANY_OPEN_FILES, "Too many files are open.\r\n"},
    {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is not an open file.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory is available for this operation.\r\n"},
    {ERROR_WRITE_FAULT, "The device could not write the data.\r\n"},
    {ERROR_READ_FAULT, "The device could not read the data.\r\n"},
    {ERROR_GEN_FAILURE, "The device does not work.\r\n"},
    {ERROR_SHARING_VIOLATION, "The file is in use: it is open in this or another program.\r\n"},
    {ERROR_HANDLE_EOF, "The end of the file was reached.\r\n"},
    {ERROR_FILE_EXISTS, "The file already exists.\r\n"},
    {ERROR_INVALID_PARAMETER, "A parameter is not valid.\r\n"},
    {ERROR_DISK_FULL, "There is not enough space on the disk.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, "The buffer is too small for the data.\r\n"},
    {ERROR_INVALID_NAME, "The file name is not valid.\r\n"},
    {ERROR_NEGATIVE_SEEK, "The file position would be before the start of the file.\r\n"},
    {ERROR_ALREADY_EXISTS, "A file of that name is already there.\r\n"},
    {ERROR_FILENAME_EXCED_RANGE, "The file name is too long.\r\n"},
    {ERROR_FILE_TOO_LARGE, "The file is too large.\r\n"},
};

const char* FindErrorText(DWORD code)
{
    for (const ErrorText& entry : errorTexts) {
        if (entry.code == code) return entry.text;
    }
    return nullptr;
}

} // namespace

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD errorCode) { lastError = errorCode; }

namespace platform {

void SetLastErrorFromErrno(int err)
{
    switch (err) {
    case ENOENT: SetLastError(ERROR_FILE_NOT_FOUND); break;
    case ENOTDIR: SetLastError(ERROR_PATH_NOT_FOUND); break;
    case EMFILE:
    case ENFILE: SetLastError(ERROR_TOO_MANY_OPEN_FILES); break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: SetLastError(ERROR_ACCESS_DENIED); break;
    case EBADF: SetLastError(ERROR_INVALID_HANDLE); break;
    case ENOMEM: SetLastError(ERROR_NOT_ENOUGH_MEMORY); break;
    case EWOULDBLOCK: SetLastError(ERROR_SHARING_VIOLATION); break;
    case EEXIST: SetLastError(ERROR_FILE_EXISTS); break;
    case EINVAL: SetLastError(ERROR_INVALID_PARAMETER); break;
    case ENOSPC:
    case EDQUOT: SetLastError(ERROR_DISK_FULL); break;
    case ENAMETOOLONG: SetLastError(ERROR_FILENAME_EXCED_RANGE); break;
    case EFBIG: SetLastError(ERROR_FILE_TOO_LARGE); break;
    default: SetLastError(ERROR_GEN_FAILURE); break;
    }
}

} // namespace platform

DWORD FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPSTR buffer, DWORD size,
                     std::va_list*)
{
    const char* text = (flags & FORMAT_MESSAGE_FROM_SYSTEM) ? FindErrorText(messageId) : nullptr;
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
