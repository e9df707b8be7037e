#pragma once
// The platform's error codes for what the system answered, and their texts.

#include "platform/winerror.h"

namespace platform {

// The platform's code for a POSIX error number.
DWORD ErrorFromErrno(int err);
// The text of a code as the platform words it (with its line end), or null for one it does not
// know.
const char* SystemErrorText(DWORD code);

} // namespace platform
