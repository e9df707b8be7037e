#pragma once
// The diagnostic log: a log file and the debugger output, chosen by a sink mask.

#include "platform/windef.h"

inline constexpr DWORD DEBUG_TO_FILE = 1;
inline constexpr DWORD DEBUG_TO_DEBUGGER = 4;

struct DebugConfig {
    DWORD sinkMask;
    const char* filePath;
};

// Opens "debug.txt" in the current folder, or in the temporary folder when the current one
// does not take it.
bool StartDebug();
bool StartDebugEx(const DebugConfig& config);
void EndDebug();

// Through the sink mask.
void DebugWrite(const char* text);
void DebugLine(const char* text);
void DebugPrintf(const char* format, ...);

// To the log file only, whenever it is open.
void LogFileWrite(const char* text);
void LogFileLine(const char* text);
void LogFilePrintf(const char* format, ...);

// The error-context text that ReportResult prints first in its context part; nothing writes
// it, so it stays empty.
const char* DebugErrorContext();
