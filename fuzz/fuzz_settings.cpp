// The settings file's parser, given the input as the file's text: whatever the text, every
// setting stays within its range and the warnings stay few.

#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> warnings;
    const Settings settings =
        ParseSettings({reinterpret_cast<const char*>(data), size}, "killglimbot.ini", warnings);
    const bool inRange = settings.volume >= 0 && settings.volume <= 100
                         && settings.window.windowScale >= 1 && settings.window.windowScale <= 8
                         && settings.controller.speed >= 50 && settings.controller.speed <= 3000
                         && warnings.size() <= 11;
    if (!inRange) std::abort();
    return 0;
}
