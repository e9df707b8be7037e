#pragma once
// Files the game wrote must outlast the program. On a desktop the kernel keeps them; in the
// browser the page's lasting storage is brought up to date with the player's folders.

namespace platform {

#ifdef __EMSCRIPTEN__
void KeepWrittenFiles();
#else
inline void KeepWrittenFiles() {}
#endif

} // namespace platform
