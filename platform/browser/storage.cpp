// The player's folders are IndexedDB's in the browser; a file the game wrote is copied there at
// once, so a tab closed right after the Killer List keeps its new entry.

#include "platform/host.h"

extern "C" void kg_keep_files();

namespace platform {

void KeepWrittenFiles() { kg_keep_files(); }

} // namespace platform
