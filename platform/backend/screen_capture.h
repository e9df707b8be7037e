#pragma once
// Inside the platform layer: what the display shows, saved as an indexed PNG.

namespace platform {

// False when there is no display yet or the file cannot be written.
bool SaveScreenshot(const char* path);

} // namespace platform
