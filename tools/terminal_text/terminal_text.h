#pragma once
// Bytes read from a file, made safe to show on a terminal: Latin-1 letters become UTF-8, and
// every control or other non-printable byte (and the backslash) is written as an escape.

#include <string>
#include <string_view>

#include "platform/windef.h"

// Printable ASCII as it is; 0xA0 to 0xFF as the UTF-8 of the same Latin-1 character; the
// backslash as "\\"; every other byte as "\xNN" (two upper-case hex digits).
std::string TerminalText(std::string_view bytes);

// A four-character tag in file order, shown as TerminalText shows its bytes.
std::string TagText(DWORD tag);
