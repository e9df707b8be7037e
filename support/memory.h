#pragma once
// The program's buffers: zero-filled, range-checked, refusals named in the log.

#include "platform/windef.h"

// Requests from 1 to MEM_ALLOC_LIMIT - 1 bytes are served.
inline constexpr DWORD MEM_ALLOC_LIMIT = 32000000;

// A zero-filled block of exactly size bytes, or null. tag names the request in the log.
void* MemAlloc(DWORD size, const char* tag = nullptr);
void MemFree(void* block);
// A copy of text with its NUL, tagged "CLNSTRING"; null for a null text.
char* CloneString(const char* text);
