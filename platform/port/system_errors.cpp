// The platform's error codes for what the system answered, and their texts.

#include "platform/port/system_errors.h"

#include <cerrno>

namespace platform {
namespace {

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

} // namespace

const char* SystemErrorText(DWORD code)
{
    for (const ErrorText& entry : errorTexts) {
        if (entry.code == code) return entry.text;
    }
    return nullptr;
}

DWORD ErrorFromErrno(int err)
{
    switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EWOULDBLOCK: return ERROR_SHARING_VIOLATION;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    default: return ERROR_GEN_FAILURE;
    }
}

} // namespace platform
