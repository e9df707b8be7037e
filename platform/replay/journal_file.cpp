// The journal's file: a magic, the format version, the file's length, the facts, the three
// answer streams, the frame digests, the result, and a digest of everything before it.

#include <algorithm>
#include <cstring>

#include "platform/replay.h"
#include "platform/replay/bytes.h"
#include "platform/replay/digest.h"
#include "platform/replay/streams.h"

namespace platform {
namespace {

using journal::ByteReader;
using journal::ByteWriter;

constexpr char magic[8] = {'K', 'G', 'R', 'E', 'P', 'L', 'A', 'Y'};
constexpr std::size_t headerSize = sizeof magic + 2 + 4;
constexpr std::size_t checksumSize = 8;

void WriteStream(ByteWriter& out, std::uint64_t count, const std::vector<std::uint8_t>& bytes)
{
    out.Varint(count);
    out.Varint(bytes.size());
    out.bytes.insert(out.bytes.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> ReadStream(ByteReader& in, std::uint64_t& count)
{
    count = in.Varint();
    const std::string bytes = in.Text();
    return {bytes.begin(), bytes.end()};
}

void WriteBody(ByteWriter& out, const Journal& journal)
{
    out.Text(journal.gameVersion);
    out.Text(journal.commandLine);
    out.Text(journal.arguments);
    out.Varint(journal.language);
    out.Varint(journal.facts.size());
    for (const auto& [name, value] : journal.facts) {
        out.Text(name);
        out.Text(value);
    }
    out.Varint(journal.filesRead.size());
    for (const FileDigest& file : journal.filesRead) {
        out.Text(file.name);
        out.Varint(file.size);
        out.Fixed(file.digest, 8);
    }
    out.Varint(journal.keptFiles.size());
    for (const KeptFile& file : journal.keptFiles) {
        out.Text(file.name);
        out.Byte(file.present ? 1 : 0);
        out.Text(file.bytes);
    }
    WriteStream(out, journal.clockCount, journal.clock);
    WriteStream(out, journal.cursorCount, journal.cursor);
    WriteStream(out, journal.pumpCount, journal.pumps);
    out.Varint(journal.frames.size());
    DWORD lastFrame = 0;
    for (const FrameDigest& frame : journal.frames) {
        out.Varint(frame.frame - lastFrame);
        out.Fixed(frame.digest, 8);
        lastFrame = frame.frame;
    }
    out.Varint(journal.result.kills);
    out.Signed(journal.result.peakScore);
    out.Signed(journal.result.score);
    out.Varint(journal.result.frames);
    out.Fixed(journal.finalDigest, 8);
}

void ReadFacts(ByteReader& in, Journal& journal)
{
    journal.gameVersion = in.Text();
    journal.commandLine = in.Text();
    journal.arguments = in.Text();
    journal.language = static_cast<WORD>(in.Varint());
    for (std::size_t i = in.Count(); i > 0 && !in.Failed(); --i) {
        std::string name = in.Text();
        journal.facts.emplace_back(std::move(name), in.Text());
    }
    for (std::size_t i = in.Count(); i > 0 && !in.Failed(); --i) {
        FileDigest file;
        file.name = in.Text();
        file.size = in.Varint();
        file.digest = in.Fixed(8);
        journal.filesRead.push_back(std::move(file));
    }
    for (std::size_t i = in.Count(); i > 0 && !in.Failed(); --i) {
        KeptFile file;
        file.name = in.Text();
        file.present = in.Byte() != 0;
        file.bytes = in.Text();
        journal.keptFiles.push_back(std::move(file));
    }
}

void ReadRun(ByteReader& in, Journal& journal)
{
    journal.clock = ReadStream(in, journal.clockCount);
    journal.cursor = ReadStream(in, journal.cursorCount);
    journal.pumps = ReadStream(in, journal.pumpCount);
    DWORD frame = 0;
    for (std::size_t i = in.Count(); i > 0 && !in.Failed(); --i) {
        frame += static_cast<DWORD>(in.Varint());
        journal.frames.push_back({frame, in.Fixed(8)});
    }
    journal.result.kills = static_cast<DWORD>(in.Varint());
    journal.result.peakScore = static_cast<LONG>(in.Signed());
    journal.result.score = static_cast<LONG>(in.Signed());
    journal.result.frames = static_cast<DWORD>(in.Varint());
    journal.finalDigest = in.Fixed(8);
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
    ByteWriter out;
    out.bytes.assign(magic, magic + sizeof magic);
    out.Fixed(JOURNAL_FORMAT_VERSION, 2);
    out.Fixed(0, 4); // the length, once known
    WriteBody(out, journal);
    const std::uint64_t length = out.bytes.size() + checksumSize;
    for (int i = 0; i < 4; ++i)
        out.bytes[sizeof magic + 2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    out.Fixed(DigestOf(out.bytes.data(), out.bytes.size()), 8);
    return out.bytes;
}

bool DecodeJournal(std::span<const std::uint8_t> bytes, Journal& journal, std::string& error)
{
    journal = Journal {};
    if (bytes.size() < sizeof magic || std::memcmp(bytes.data(), magic, sizeof magic) != 0) {
        error = "not a replay journal";
        return false;
    }
    ByteReader header(bytes.subspan(sizeof magic));
    const auto version = static_cast<std::uint16_t>(header.Fixed(2));
    const std::uint64_t length = header.Fixed(4);
    if (header.Failed() || bytes.size() < headerSize + checksumSize) {
        error = "truncated: it ends inside its header";
        return false;
    }
    if (version > JOURNAL_FORMAT_VERSION) {
        error = "made by a newer game: format version " + std::to_string(version)
                + ", this game reads up to " + std::to_string(JOURNAL_FORMAT_VERSION);
        return false;
    }
    if (bytes.size() < length) {
        error = "truncated: " + std::to_string(bytes.size()) + " of its " + std::to_string(length)
                + " bytes";
        return false;
    }
    const std::size_t bodyEnd = bytes.size() - checksumSize;
    ByteReader checksum(bytes.subspan(bodyEnd));
    if (version == 0 || bytes.size() != length
        || checksum.Fixed(8) != DigestOf(bytes.data(), bodyEnd)) {
        error = "damaged: its checksum does not match its contents";
        return false;
    }
    ByteReader in(bytes.subspan(headerSize, bodyEnd - headerSize));
    ReadFacts(in, journal);
    ReadRun(in, journal);
    if (in.Failed() || !in.AtEnd() || !StreamsAgree(journal)) {
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
