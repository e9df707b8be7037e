#pragma once
// The journal's groups of fields, written and read alike in every format version that holds
// them. A reader adds to the journal, so that a journal in blocks adds up block by block.

#include "platform/replay.h"
#include "platform/replay/bytes.h"

namespace platform::journal {

// The game's version, its command line, the program's arguments, the dialogs' language.
void WriteWords(ByteWriter& out, const Journal& journal);
void ReadWords(ByteReader& in, Journal& journal);
// The facts the game noted.
void WriteFacts(ByteWriter& out, const Journal& journal);
void ReadFacts(ByteReader& in, Journal& journal);
void WriteFilesRead(ByteWriter& out, const Journal& journal);
void ReadFilesRead(ByteReader& in, Journal& journal);
void WriteKeptFiles(ByteWriter& out, const Journal& journal);
void ReadKeptFiles(ByteReader& in, Journal& journal);
// The clock, the cursor and the pumps: each a count of answers and the encoded answers.
void WriteStreams(ByteWriter& out, const Journal& journal);
void ReadStreams(ByteReader& in, Journal& journal);
// The frame digests, each frame as the step from `lastFrame` (then the frame written).
void WriteFrames(ByteWriter& out, const Journal& journal, DWORD& lastFrame);
void ReadFrames(ByteReader& in, Journal& journal);
// The run's result and the world's final digest.
void WriteResult(ByteWriter& out, const Journal& journal);
void ReadResult(ByteReader& in, Journal& journal);

} // namespace platform::journal
