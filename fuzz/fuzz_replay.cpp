// The replay journal's reader, given the input as a journal's bytes. The fields that check the
// others are made to match first (a format 1 journal's length and checksum, each block's length
// complement and chained checksum), or nearly every input would stop at a checksum and the
// fields behind it would never be reached. A journal read, whole or cut short, must write back
// to bytes that read again the same.

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/replay.h"
#include "platform/replay/blocks.h"
#include "platform/replay/digest.h"

namespace {

using platform::journal::JOURNAL_BLOCK_HEAD_SIZE;
using platform::journal::JOURNAL_HEADER_SIZE;

constexpr std::size_t checksumSize = 8;

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[at + i];
    return value;
}

// Format 1: the file's length after the header, the checksum at the end.
void SealWhole(std::vector<std::uint8_t>& bytes)
{
    const std::size_t size = bytes.size();
    if (size < JOURNAL_HEADER_SIZE + 4 + checksumSize) return;
    Put(bytes, JOURNAL_HEADER_SIZE, size, 4);
    Put(bytes, size - checksumSize, platform::DigestOf(bytes.data(), size - checksumSize),
        checksumSize);
}

// Format 2: every whole block; a last block cut stays cut.
void SealBlocks(std::vector<std::uint8_t>& bytes)
{
    std::uint64_t chain = platform::journal::HeaderChecksum(bytes);
    for (std::size_t at = JOURNAL_HEADER_SIZE; at + JOURNAL_BLOCK_HEAD_SIZE <= bytes.size();) {
        const std::uint32_t length = Word(bytes, at + 1);
        Put(bytes, at + 5, ~length, 4);
        const std::size_t size = JOURNAL_BLOCK_HEAD_SIZE + std::size_t {length};
        if (bytes.size() - at < size + checksumSize) return;
        chain = platform::journal::BlockChecksum(chain, {bytes.data() + at, size});
        Put(bytes, at + size, chain, checksumSize);
        at += size + checksumSize;
    }
}

// The input with the fields that check the others made true.
std::vector<std::uint8_t> Sealed(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    if (size < JOURNAL_HEADER_SIZE) return bytes;
    if (bytes[8] == 1 && bytes[9] == 0) SealWhole(bytes);
    else SealBlocks(bytes);
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
