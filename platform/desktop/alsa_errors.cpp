// SDL loads libasound itself, when it first needs it, so the handler is set in that same
// library: loaded here first, it is the one SDL finds. Without the library there is nothing
// to quiet.

#include "platform/host.h"

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/notice.h"

namespace platform {
namespace {

using ErrorHandler = void (*)(const char* file, int line, const char* function, int error,
                              const char* format, ...);
using SetErrorHandler = int (*)(ErrorHandler handler);

// SDL's device watch may go on asking the library while the game plays: what is kept between
// two tellings is bounded, the rest only counted.
constexpr std::size_t mostKept = 64;

std::mutex keptLock;
std::vector<std::string> kept;
std::size_t dropped = 0;

void KeepError(const char*, int, const char* function, int error, const char* format, ...)
{
    char message[512];
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    std::string text = "ALSA: ";
    if (function != nullptr) text += std::string(function) + ": ";
    text += message;
    if (error != 0) text += std::string(": ") + std::strerror(error < 0 ? -error : error);
    const std::lock_guard<std::mutex> hold(keptLock);
    if (kept.size() < mostKept) kept.push_back(text + "\r\n");
    else ++dropped;
}

} // namespace

void KeepAlsaErrors()
{
    static const bool handled = [] {
        // Never closed: SDL shares it for the rest of the program.
        void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
        if (library == nullptr) return false;
        const auto set =
            reinterpret_cast<SetErrorHandler>(dlsym(library, "snd_lib_error_set_handler"));
        return set != nullptr && set(KeepError) == 0;
    }();
    static_cast<void>(handled);
}

void TellAlsaErrors()
{
    std::vector<std::string> told;
    {
        const std::lock_guard<std::mutex> hold(keptLock);
        told.swap(kept);
        if (dropped > 0) told.push_back("ALSA: " + std::to_string(dropped) + " more errors\r\n");
        dropped = 0;
    }
    for (const std::string& text : told) {
        Notice(text);
        OutputDebugStringA(text.c_str());
    }
}

} // namespace platform
