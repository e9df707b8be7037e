#pragma once
// Inside the platform layer: what the browser build does where a desktop asks the system.

#include "platform/windef.h"

namespace platform::web {

// Gives control back to the page until its input comes or ms pass; true when input waits.
bool WaitForPageInput(DWORD ms);

// Tells the page that the game takes typed text, or no longer: a phone's keyboard comes up.
void ShowTextEntry(bool open);

} // namespace platform::web
