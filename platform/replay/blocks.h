#pragma once
// The journal in blocks (format 2), written while the run goes on. After the header, each block
// is its kind (a byte), its length and the length's complement (4 bytes each), what it holds,
// and a checksum over the checksum before it and the block itself: a block left out or moved is
// found as surely as a changed bit, and a journal cut short ends with its last whole block.

#include <span>
#include <string>

#include "platform/replay.h"
#include "platform/replay/bytes.h"

namespace platform::journal {

enum class BlockKind : std::uint8_t { Start = 1, Run = 2, End = 3 };

inline constexpr char JOURNAL_MAGIC[8] = {'K', 'G', 'R', 'E', 'P', 'L', 'A', 'Y'};
// The magic and the format version.
inline constexpr std::size_t JOURNAL_HEADER_SIZE = sizeof JOURNAL_MAGIC + 2;
// A block's kind, its length and the length's complement.
inline constexpr std::size_t JOURNAL_BLOCK_HEAD_SIZE = 1 + 4 + 4;

// Where the chain of checksums starts: the file's header.
std::uint64_t HeaderChecksum(std::span<const std::uint8_t> file);
// A block's checksum: over the checksum before it and the block's bytes up to its checksum.
std::uint64_t BlockChecksum(std::uint64_t previous, std::span<const std::uint8_t> block);

class BlockWriter {
public:
    // The file's first bytes; the chain of checksums starts from them.
    std::vector<std::uint8_t> Header();
    // The run's words and the player's files as they were at start.
    std::vector<std::uint8_t> StartBlock(const Journal& journal);
    // What `part` adds to the journal (facts, files read, answers, frame digests) and where the
    // run stood (lastBlockTime, lastBlockFrames); an end block adds the result and final digest.
    std::vector<std::uint8_t> RunBlock(const Journal& part, BlockKind kind);

private:
    std::vector<std::uint8_t> Seal(BlockKind kind, const ByteWriter& payload);

    std::uint64_t chain = 0;
    DWORD lastFrame = 0;
};

// Reads the blocks of a whole file whose header was read. A journal without its end block is
// cut short; false, with a reason naming the block, when a block is damaged.
bool ReadBlocks(std::span<const std::uint8_t> file, Journal& journal, std::string& error);

} // namespace platform::journal
