#include "fuzz/fuzz_input.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/kernel.h"

namespace fuzz {
namespace {

std::filesystem::path scratch;

void DropDebugOutput(const char*) {}

void RemoveScratch()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

} // namespace

void EnterScratchFolder()
{
    if (!scratch.empty()) return;
    scratch = std::filesystem::temp_directory_path() / ("kgfuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);
    std::atexit(RemoveScratch);
    platform::SetDebugOutputHook(DropDebugOutput);
}

void WriteInput(const char* name, const std::uint8_t* data, std::size_t size)
{
    // A new file each time: rewriting an emptied one makes the file system flush it to disk
    // on close, which would slow every run down to the disk's pace.
    std::error_code ignored;
    std::filesystem::remove(name, ignored);
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace fuzz
