// timeGetTime reads the running backend's clock (the machine's, or a headless run's virtual one)
// through the journal.

#include "platform/mmtime.h"

#include "platform/backend/backend_interface.h"
#include "platform/replay/seam.h"

DWORD timeGetTime() { return platform::journal::AnswerTime(platform::CurrentBackend().Now()); }
