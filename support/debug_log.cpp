// Every diagnostic of the game passes through here; none of it may fail a caller.

#include "support/debug_log.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "platform/kernel.h"
#include "platform/user.h"
#include "support/error_report.h"
#include "support/file_access.h"

namespace {

constexpr DWORD formatBufferSize = 6144;
constexpr DWORD errorContextOffset = 4096;
constexpr char defaultLogName[] = "debug.txt";

DWORD sinkMask = DEBUG_TO_DEBUGGER;
HANDLE logFile = INVALID_HANDLE_VALUE;
// From the plain heap, not MemAlloc: MemAlloc reports through this module.
char* formatBuffer = nullptr;

bool HasFile() { return (sinkMask & DEBUG_TO_FILE) && logFile != INVALID_HANDLE_VALUE; }

// Formats into the shared buffer; answers the number of characters, 0 without a buffer.
int FormatIntoBuffer(const char* format, std::va_list arguments)
{
    if (formatBuffer == nullptr) return 0;
    return wvsprintfA(formatBuffer, format, arguments);
}

// The fallback log lives in the temporary folder, the port's stand-in for the root of C:.
void FallbackLogPath(char* path, DWORD size)
{
    const DWORD length = GetTempPathA(size, path);
    if (length == 0 || length + sizeof defaultLogName > size) path[0] = '\0';
    std::strcat(path, defaultLogName);
}

} // namespace

bool StartDebug()
{
    sinkMask = DEBUG_TO_DEBUGGER;
    logFile = INVALID_HANDLE_VALUE;
    char path[MAX_PATH + sizeof defaultLogName];
    std::strcpy(path, defaultLogName);
    if (!CanCreateFile(defaultLogName)) FallbackLogPath(path, sizeof path);
    return StartDebugEx(DebugConfig {DEBUG_TO_FILE | DEBUG_TO_DEBUGGER, path});
}

bool StartDebugEx(const DebugConfig& config)
{
    sinkMask = DEBUG_TO_DEBUGGER;
    logFile = INVALID_HANDLE_VALUE;
    if (formatBuffer == nullptr)
        formatBuffer = static_cast<char*>(std::calloc(formatBufferSize, 1));
    if (config.sinkMask & DEBUG_TO_FILE) {
        logFile = CreateFileA(config.filePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_ARCHIVE, nullptr);
        if (logFile == INVALID_HANDLE_VALUE) {
            ReportSystemError("StartDebugEx.CreateFile");
            return false;
        }
    }
    char modulePath[256] = {};
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    DebugLine(modulePath);
    DebugLine("==== START ====");
    // Installed only now: the path and the banner reach the debugger, never the file.
    sinkMask = config.sinkMask;
    return true;
}

void EndDebug()
{
    DebugLine("==== END ====");
    if (HasFile()) CloseHandle(logFile);
    logFile = INVALID_HANDLE_VALUE;
    sinkMask = DEBUG_TO_DEBUGGER;
    std::free(formatBuffer);
    formatBuffer = nullptr;
}

void DebugWrite(const char* text)
{
    if (HasFile()) WriteString(logFile, text);
    if (sinkMask & DEBUG_TO_DEBUGGER) OutputDebugStringA(text);
}

void DebugLine(const char* text)
{
    DebugWrite(text);
    DebugWrite("\r\n");
}

void DebugPrintf(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    FormatIntoBuffer(format, arguments);
    va_end(arguments);
    if (formatBuffer != nullptr) DebugWrite(formatBuffer);
}

void LogFileWrite(const char* text)
{
    if (logFile != INVALID_HANDLE_VALUE) WriteString(logFile, text);
}

void LogFileLine(const char* text)
{
    if (logFile == INVALID_HANDLE_VALUE) return;
    WriteString(logFile, text);
    WriteString(logFile, "\r\n");
}

void LogFilePrintf(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    const int count = FormatIntoBuffer(format, arguments);
    va_end(arguments);
    if (logFile != INVALID_HANDLE_VALUE && count > 0) {
        DWORD written = 0;
        WriteFile(logFile, formatBuffer, static_cast<DWORD>(count), &written, nullptr);
    }
}

const char* DebugErrorContext()
{
    return formatBuffer != nullptr ? formatBuffer + errorContextOffset : "";
}
