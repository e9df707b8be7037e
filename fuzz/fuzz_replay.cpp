// The replay journal's reader, given the input as a journal's bytes. The length field and the
// checksum are made to match first, or nearly every input would stop at the checksum and the
// fields behind it would never be reached. A journal read whole must write back to bytes that
// read again the same.

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/replay.h"
#include "platform/replay/digest.h"

namespace {

constexpr std::size_t lengthOffset = 10; // after the magic and the format version
constexpr std::size_t checksumSize = 8;

// The input with its length and checksum fields made true.
std::vector<std::uint8_t> Sealed(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    if (size < lengthOffset + 4 + checksumSize) return bytes;
    for (int i = 0; i < 4; ++i)
        bytes[lengthOffset + i] = static_cast<std::uint8_t>(size >> (8 * i));
    const std::uint64_t checksum = platform::DigestOf(bytes.data(), size - checksumSize);
    for (std::size_t i = 0; i < checksumSize; ++i)
        bytes[size - checksumSize + i] = static_cast<std::uint8_t>(checksum >> (8 * i));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes = Sealed(data, size);
    platform::Journal journal;
    std::string error;
    if (!platform::DecodeJournal(bytes, journal, error)) return 0;
    const std::vector<std::uint8_t> written = platform::EncodeJournal(journal);
    platform::Journal again;
    if (!platform::DecodeJournal(written, again, error)
        || platform::EncodeJournal(again) != written)
        std::abort();
    return 0;
}
