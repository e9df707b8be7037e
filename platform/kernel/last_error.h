#pragma once
// Inside the platform layer: the last error from a failed POSIX call.

namespace platform {

// Sets the last error to the system error number that matches errno value err.
void SetLastErrorFromErrno(int err);

} // namespace platform
