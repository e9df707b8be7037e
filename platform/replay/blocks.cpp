#include "platform/replay/blocks.h"

#include <algorithm>

#include "platform/replay/digest.h"
#include "platform/replay/journal_fields.h"

namespace platform::journal {
namespace {

constexpr std::size_t checksumSize = 8;

void WriteRun(ByteWriter& out, const Journal& part, DWORD& lastFrame)
{
    out.Varint(part.lastBlockTime);
    out.Varint(part.lastBlockFrames);
    WriteFacts(out, part);
    WriteFilesRead(out, part);
    WriteStreams(out, part);
    WriteFrames(out, part, lastFrame);
}

void ReadRun(ByteReader& in, Journal& journal)
{
    journal.lastBlockTime = static_cast<DWORD>(in.Varint());
    journal.lastBlockFrames = static_cast<DWORD>(in.Varint());
    ReadFacts(in, journal);
    ReadFilesRead(in, journal);
    ReadStreams(in, journal);
    ReadFrames(in, journal);
}

// What a power cut leaves of blocks the system never wrote: zeros. No block is all zeros.
bool Unwritten(std::span<const std::uint8_t> rest)
{
    return std::all_of(rest.begin(), rest.end(), [](std::uint8_t byte) { return byte == 0; });
}

// One whole block's contents into the journal; false when they do not fit its kind or place.
bool ReadBlock(BlockKind kind, std::size_t index, bool& ended, ByteReader in, Journal& journal)
{
    const bool first = index == 1;
    if (ended || first != (kind == BlockKind::Start)) return false;
    switch (kind) {
    case BlockKind::Start:
        ReadWords(in, journal);
        ReadKeptFiles(in, journal);
        break;
    case BlockKind::End:
        ReadRun(in, journal);
        ReadResult(in, journal);
        ended = true;
        break;
    case BlockKind::Run: ReadRun(in, journal); break;
    default: return false;
    }
    return !in.Failed() && in.AtEnd();
}

} // namespace

std::uint64_t HeaderChecksum(std::span<const std::uint8_t> file)
{
    return DigestOf(file.data(), JOURNAL_HEADER_SIZE);
}

std::uint64_t BlockChecksum(std::uint64_t previous, std::span<const std::uint8_t> block)
{
    Digest digest;
    digest.AddWord(previous);
    digest.Add(block.data(), block.size());
    return digest.Value();
}

std::vector<std::uint8_t> BlockWriter::Header()
{
    ByteWriter out;
    out.bytes.assign(JOURNAL_MAGIC, JOURNAL_MAGIC + sizeof JOURNAL_MAGIC);
    out.Fixed(JOURNAL_FORMAT_VERSION, 2);
    chain = HeaderChecksum(out.bytes);
    return out.bytes;
}

std::vector<std::uint8_t> BlockWriter::StartBlock(const Journal& journal)
{
    ByteWriter payload;
    WriteWords(payload, journal);
    WriteKeptFiles(payload, journal);
    return Seal(BlockKind::Start, payload);
}

std::vector<std::uint8_t> BlockWriter::RunBlock(const Journal& part, BlockKind kind)
{
    ByteWriter payload;
    WriteRun(payload, part, lastFrame);
    if (kind == BlockKind::End) WriteResult(payload, part);
    return Seal(kind, payload);
}

std::vector<std::uint8_t> BlockWriter::Seal(BlockKind kind, const ByteWriter& payload)
{
    const auto length = static_cast<std::uint32_t>(payload.bytes.size());
    ByteWriter out;
    out.Byte(static_cast<std::uint8_t>(kind));
    out.Fixed(length, 4);
    out.Fixed(~length, 4);
    out.bytes.insert(out.bytes.end(), payload.bytes.begin(), payload.bytes.end());
    chain = BlockChecksum(chain, out.bytes);
    out.Fixed(chain, 8);
    return out.bytes;
}

bool ReadBlocks(std::span<const std::uint8_t> file, Journal& journal, std::string& error)
{
    std::uint64_t chain = HeaderChecksum(file);
    std::span<const std::uint8_t> rest = file.subspan(JOURNAL_HEADER_SIZE);
    std::size_t whole = 0;
    bool ended = false;
    while (rest.size() >= JOURNAL_BLOCK_HEAD_SIZE && !Unwritten(rest)) {
        const std::size_t index = whole + 1;
        const std::string named = "damaged: block " + std::to_string(index);
        ByteReader head(rest);
        const auto kind = static_cast<BlockKind>(head.Byte());
        const auto length = static_cast<std::uint32_t>(head.Fixed(4));
        const bool lengthWhole = static_cast<std::uint32_t>(head.Fixed(4)) == ~length;
        const std::size_t size = JOURNAL_BLOCK_HEAD_SIZE + std::size_t {length};
        if (lengthWhole && rest.size() < size + checksumSize) break; // written in part
        const std::uint64_t sealed = lengthWhole ? BlockChecksum(chain, rest.first(size)) : 0;
        if (!lengthWhole || ByteReader(rest.subspan(size)).Fixed(8) != sealed) {
            error = named + " does not match its checksum";
            return false;
        }
        if (!ReadBlock(kind, index, ended,
                       ByteReader(rest.subspan(JOURNAL_BLOCK_HEAD_SIZE, length)), journal)) {
            error = named + " does not fit in its place";
            return false;
        }
        chain = sealed;
        rest = rest.subspan(size + checksumSize);
        whole = index;
    }
    if (whole == 0) {
        error = "truncated: it ends inside its first block";
        return false;
    }
    journal.cutShort = !ended;
    return true;
}

} // namespace platform::journal
