// On a desktop the kernel keeps what was written: there is nothing more to do.

#include "platform/host.h"

namespace platform {

void KeepWrittenFiles() {}

} // namespace platform
