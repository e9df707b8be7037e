#pragma once
// What every fuzz target shares: a private scratch folder in which the readers find the input
// under the plain name the game uses, and quiet debugger output.

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Once per process: makes an empty folder under the temporary folder the current folder
// (removed at exit) and drops the debugger output, which would only slow the runs down.
void EnterScratchFolder();

// The input, whole, as the file name in the current folder.
void WriteInput(const char* name, const std::uint8_t* data, std::size_t size);

} // namespace fuzz

// libFuzzer's entry point; the replay program calls it too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
