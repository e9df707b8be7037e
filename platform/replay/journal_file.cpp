// The journal's file: a magic and the format version, then the journal. Format 2 is written in
// blocks while the run goes on; format 1, written whole at the end, is still read.

#include <algorithm>
#include <cstring>

#include "platform/replay.h"
#include "platform/replay/blocks.h"
#include "platform/replay/digest.h"
#include "platform/replay/journal_fields.h"
#include "platform/replay/streams.h"

namespace platform {
namespace {

using journal::ByteReader;

constexpr std::size_t checksumSize = 8;

// Format 1: the file's length (u32), the fields in one piece, and a checksum of every byte
// before it.
bool DecodeVersion1(std::span<const std::uint8_t> bytes, Journal& journal, std::string& error)
{
    ByteReader header(bytes.subspan(journal::JOURNAL_HEADER_SIZE));
    const std::uint64_t length = header.Fixed(4);
    const std::size_t headerSize = journal::JOURNAL_HEADER_SIZE + 4;
    if (header.Failed() || bytes.size() < headerSize + checksumSize) {
        error = "truncated: it ends inside its header";
        return false;
    }
    if (bytes.size() < length) {
        error = "truncated: " + std::to_string(bytes.size()) + " of its " + std::to_string(length)
                + " bytes";
        return false;
    }
    const std::size_t bodyEnd = bytes.size() - checksumSize;
    ByteReader checksum(bytes.subspan(bodyEnd));
    if (bytes.size() != length || checksum.Fixed(8) != DigestOf(bytes.data(), bodyEnd)) {
        error = "damaged: its checksum does not match its contents";
        return false;
    }
    ByteReader in(bytes.subspan(headerSize, bodyEnd - headerSize));
    ReadWords(in, journal);
    ReadFacts(in, journal);
    ReadFilesRead(in, journal);
    ReadKeptFiles(in, journal);
    ReadStreams(in, journal);
    ReadFrames(in, journal);
    ReadResult(in, journal);
    if (in.Failed() || !in.AtEnd()) {
        error = "damaged: its records do not fit together";
        return false;
    }
    return true;
}

// Each stream must hold exactly the answers its count says.
bool StreamsAgree(const Journal& journal)
{
    std::uint64_t clocks = 0;
    std::uint64_t cursors = 0;
    std::uint64_t pumps = 0;
    return journal::ClockReader(journal.clock).Count(clocks) && clocks == journal.clockCount
           && journal::CursorReader(journal.cursor).Count(cursors) && cursors == journal.cursorCount
           && journal::PumpReader(journal.pumps).Count(pumps) && pumps <= journal.pumpCount;
}

} // namespace

std::vector<std::uint8_t> EncodeJournal(const Journal& journal)
{
    journal::BlockWriter writer;
    std::vector<std::uint8_t> bytes = writer.Header();
    for (const auto& block : {writer.StartBlock(journal),
                              writer.RunBlock(journal, journal.cutShort ? journal::BlockKind::Run
                                                                        : journal::BlockKind::End)})
        bytes.insert(bytes.end(), block.begin(), block.end());
    return bytes;
}

bool DecodeJournal(std::span<const std::uint8_t> bytes, Journal& journal, std::string& error)
{
    journal = Journal {};
    const std::size_t magicSize = sizeof journal::JOURNAL_MAGIC;
    if (bytes.size() < magicSize
        || std::memcmp(bytes.data(), journal::JOURNAL_MAGIC, magicSize) != 0) {
        error = "not a replay journal";
        return false;
    }
    ByteReader header(bytes.subspan(magicSize));
    const auto version = static_cast<std::uint16_t>(header.Fixed(2));
    if (header.Failed()) {
        error = "truncated: it ends inside its header";
        return false;
    }
    if (version > JOURNAL_FORMAT_VERSION) {
        error = "made by a newer game: format version " + std::to_string(version)
                + ", this game reads up to " + std::to_string(JOURNAL_FORMAT_VERSION);
        return false;
    }
    if (version == 0) {
        error = "damaged: it claims format version 0";
        return false;
    }
    const bool read = version == 1 ? DecodeVersion1(bytes, journal, error)
                                   : journal::ReadBlocks(bytes, journal, error);
    if (!read) return false;
    if (!StreamsAgree(journal)) {
        error = "damaged: its records do not fit together";
        return false;
    }
    if (std::max({journal.clockCount, journal.cursorCount, journal.pumpCount})
        > JOURNAL_MOST_ANSWERS) {
        error = "damaged: it claims a run longer than any played";
        return false;
    }
    return true;
}

} // namespace platform
