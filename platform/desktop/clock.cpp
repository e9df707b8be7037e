// A desktop's clock counts from the machine's start, as the original platform's did.

#include <chrono>
#include <thread>

#include "platform/host.h"

namespace platform {

clockid_t BootClockId() { return CLOCK_BOOTTIME; }

void SleepFor(DWORD ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace platform
