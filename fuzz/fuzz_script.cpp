// The headless input script parser, given the input as a script's text.

#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/backend/headless/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string error;
    platform::ParseScript({reinterpret_cast<const char*>(data), size}, error);
    return 0;
}
