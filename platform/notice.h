#pragma once
// Lines the platform has for the game's log (a folder that cannot be made, where a screenshot
// went), handed to whoever listens.

#include <string>

namespace platform {

using NoticeHook = void (*)(const char* text);
// The hook first hears every notice given while nobody listened, then each new one (null: none).
void SetNoticeHook(NoticeHook hook);
void Notice(const std::string& text);

} // namespace platform
