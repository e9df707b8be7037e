#include "platform/replay/journal_fields.h"

#include <algorithm>

namespace platform::journal {
namespace {

void WriteStream(ByteWriter& out, std::uint64_t count, const std::vector<std::uint8_t>& bytes)
{
    out.Varint(count);
    out.Varint(bytes.size());
    out.bytes.insert(out.bytes.end(), bytes.begin(), bytes.end());
}

// Counts add up from block to block; past any run's they stay just past, never wrap.
void ReadStream(ByteReader& in, std::uint64_t& count, std::vector<std::uint8_t>& bytes)
{
    const std::uint64_t more = in.Varint();
    count = more > JOURNAL_MOST_ANSWERS - std::min(count, JOURNAL_MOST_ANSWERS)
                ? JOURNAL_MOST_ANSWERS + 1
                : count + more;
    const std::string text = in.Text();
    bytes.insert(bytes.end(), text.begin(), text.end());
}

} // namespace

void WriteWords(ByteWriter& out, const Journal& journal)
{
    out.Text(journal.gameVersion);
    out.Text(journal.commandLine);
    out.Text(journal.arguments);
    out.Varint(journal.language);
}

void ReadWords(ByteReader& in, Journal& journal)
{
    journal.gameVersion = in.Text();
    journal.commandLine = in.Text();
    journal.arguments = in.Text();
    journal.language = static_cast<WORD>(in.Varint());
}

void WriteFacts(ByteWriter& out, const Journal& journal)
{
    out.Varint(journal.facts.size());
    for (const auto& [name, value] : journal.facts) {
        out.Text(name);
        out.Text(value);
    }
}

void ReadFacts(ByteReader& in, Journal& journal)
{
    for (std::size_t i = in.Count(); i > 0 && !in.Failed(); --i) {
        std::string name = in.Text();
        journal.facts.emplace_back(std::move(name), in.Text());
    }
}

void WriteFilesRead(ByteWriter& out, const Journal& journal)
{
    out.Varint(journal.filesRead.size());
    for (const FileDigest& file : journal.filesRead) {
        out.Text(file.name);
        out.Varint(file.size);
        out.Fixed(file.digest, 8);
    }
}

void ReadFilesRead(ByteReader& in, Journal& journal)
{
    for (std::size_t i = in.Count(); i > 0 && !in.Failed(); --i) {
        FileDigest file;
        file.name = in.Text();
        file.size = in.Varint();
        file.digest = in.Fixed(8);
        journal.filesRead.push_back(std::move(file));
    }
}

void WriteKeptFiles(ByteWriter& out, const Journal& journal)
{
    out.Varint(journal.keptFiles.size());
    for (const KeptFile& file : journal.keptFiles) {
        out.Text(file.name);
        out.Byte(file.present ? 1 : 0);
        out.Text(file.bytes);
    }
}

void ReadKeptFiles(ByteReader& in, Journal& journal)
{
    for (std::size_t i = in.Count(); i > 0 && !in.Failed(); --i) {
        KeptFile file;
        file.name = in.Text();
        file.present = in.Byte() != 0;
        file.bytes = in.Text();
        journal.keptFiles.push_back(std::move(file));
    }
}

void WriteStreams(ByteWriter& out, const Journal& journal)
{
    WriteStream(out, journal.clockCount, journal.clock);
    WriteStream(out, journal.cursorCount, journal.cursor);
    WriteStream(out, journal.pumpCount, journal.pumps);
}

void ReadStreams(ByteReader& in, Journal& journal)
{
    ReadStream(in, journal.clockCount, journal.clock);
    ReadStream(in, journal.cursorCount, journal.cursor);
    ReadStream(in, journal.pumpCount, journal.pumps);
}

void WriteFrames(ByteWriter& out, const Journal& journal, DWORD& lastFrame)
{
    out.Varint(journal.frames.size());
    for (const FrameDigest& frame : journal.frames) {
        out.Varint(frame.frame - lastFrame);
        out.Fixed(frame.digest, 8);
        lastFrame = frame.frame;
    }
}

void ReadFrames(ByteReader& in, Journal& journal)
{
    DWORD frame = journal.frames.empty() ? 0 : journal.frames.back().frame;
    for (std::size_t i = in.Count(); i > 0 && !in.Failed(); --i) {
        frame += static_cast<DWORD>(in.Varint());
        journal.frames.push_back({frame, in.Fixed(8)});
    }
}

void WriteResult(ByteWriter& out, const Journal& journal)
{
    out.Varint(journal.result.kills);
    out.Signed(journal.result.peakScore);
    out.Signed(journal.result.score);
    out.Varint(journal.result.frames);
    out.Fixed(journal.finalDigest, 8);
}

void ReadResult(ByteReader& in, Journal& journal)
{
    journal.result.kills = static_cast<DWORD>(in.Varint());
    journal.result.peakScore = static_cast<LONG>(in.Signed());
    journal.result.score = static_cast<LONG>(in.Signed());
    journal.result.frames = static_cast<DWORD>(in.Varint());
    journal.finalDigest = in.Fixed(8);
}

} // namespace platform::journal
