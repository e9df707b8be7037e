#pragma once
// Inside the platform layer: headless input scripts, one event a line ("4000 key 0x20").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace platform {

struct ScriptEvent {
    enum class Kind { Move, Click, DoubleClick, Key, Text, Close };

    DWORD time; // virtual milliseconds from the program's start
    Kind kind;
    LONG x = 0;
    LONG y = 0;
    DWORD virtualKey = 0;
    std::string text;
};

// The events in time order (events of one time keep their script order), or nothing with the
// reason, naming the line, in error.
std::optional<std::vector<ScriptEvent>> ParseScript(std::string_view script, std::string& error);

} // namespace platform
