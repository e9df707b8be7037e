#pragma once
// The two reporting paths: failed platform result codes, and failed system calls.

#include "platform/windef.h"

// True for code 0 (nothing written); otherwise writes one line naming the module, the
// context (may be null), the code and its catalogue text, and answers false.
bool ReportResult(const char* context, HRESULT code);

// Sends the text of the last system error to the debugger output; context may be null.
void ReportSystemError(const char* context);
