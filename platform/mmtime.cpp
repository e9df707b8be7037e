// timeGetTime reads the running backend's clock: the machine's, or a headless run's virtual one.

#include "platform/mmtime.h"

#include "platform/backend/backend.h"

DWORD timeGetTime() { return platform::CurrentBackend().Now(); }
