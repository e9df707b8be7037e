// A browser knows no boot time: its wall clock, too, is far past any screen's start. A sleep
// gives control back to the page.

#include <emscripten.h>

#include "platform/host.h"

namespace platform {

clockid_t BootClockId() { return CLOCK_REALTIME; }

void SleepFor(DWORD ms) { emscripten_sleep(ms); }

} // namespace platform
