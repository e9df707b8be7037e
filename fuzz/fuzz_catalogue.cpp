// The error catalogue: "error.dat" loaded, then the text looked up for a code the input's first
// bytes choose, and for an unlisted code, which only the terminating record answers.

#include <algorithm>
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "support/error_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::EnterScratchFolder();
    fuzz::WriteInput("error.dat", data, size);
    LoadErrorCatalogue();
    DWORD chosen = 0;
    std::memcpy(&chosen, data, std::min(size, sizeof chosen));
    char text[ERROR_TEXT_SIZE + 1];
    LookUpErrorText(chosen, text);
    LookUpErrorText(0xFFFFFFFF, text);
    return 0;
}
