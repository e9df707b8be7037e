#pragma once
// Files, the last system error and its text, debugger output and the module's path, as the
// platform's kernel offers them.

#include <cstdarg>

#include "platform/windef.h"
#include "platform/winerror.h"

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;

inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;

inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
inline constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

inline constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x100;
inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;
inline constexpr DWORD LANG_USER_DEFAULT = 0x400;

inline constexpr DWORD MAX_PATH = 260;

// The "no file" value of every file operation.
inline const HANDLE INVALID_HANDLE_VALUE =
    reinterpret_cast<HANDLE>(~static_cast<std::uintptr_t>(0));

// A share mode of 0 is enforced: while a handle is open, any other open of the same file fails
// with ERROR_SHARING_VIOLATION, from this process or another one.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPVOID security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPVOID overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPVOID overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod);
DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh);
BOOL FlushFileBuffers(HANDLE file);
BOOL CloseHandle(HANDLE object);
BOOL DeleteFileA(LPCSTR fileName);
// With MOVEFILE_WRITE_THROUGH the move itself is on the disk when the call returns.
BOOL MoveFileExA(LPCSTR existingName, LPCSTR newName, DWORD flags);

DWORD GetLastError();
void SetLastError(DWORD errorCode);

// FROM_SYSTEM with ALLOCATE_BUFFER: buffer is really an LPSTR* that receives a block to give
// back with LocalFree. Answers the text's length, or 0 when the error has no text.
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                     DWORD size, std::va_list* arguments);
HLOCAL LocalFree(HLOCAL memory);

// Debugger output goes to standard error once ShowDebugOutput asked for it, else nowhere.
void OutputDebugStringA(LPCSTR text);
DWORD GetModuleFileNameA(HINSTANCE module, LPSTR fileName, DWORD size);
// The folder for temporary files ($TMPDIR, else /tmp), with a trailing slash.
DWORD GetTempPathA(DWORD size, LPSTR buffer);

namespace platform {

// The lines meant for a debugger reach standard error only when the player asks (--verbose).
void ShowDebugOutput(bool show);

// For tests: while a hook is set, debugger output goes to it instead of standard error.
// Answers the previous hook (null: none).
using DebugOutputHook = void (*)(LPCSTR text);
DebugOutputHook SetDebugOutputHook(DebugOutputHook hook);

} // namespace platform
