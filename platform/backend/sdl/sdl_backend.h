#pragma once
// Inside the platform layer: the real window, its input and its picture, through SDL.

#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/backend/backend_interface.h"

namespace platform {

// Null, with a one-line reason, when there is no display to open a window on.
std::unique_ptr<Backend> MakeSdlBackend(const BackendOptions& options, std::string& error);

} // namespace platform
